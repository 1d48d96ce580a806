#pragma once

#include <string>
#include <string_view>

#include <QString>

#include "model/CCueTime.h"

class CCueTrack;

// Conversions between the sheet's bytes and the texts of the edit dialogs.
namespace ts {

// A name or comment as the listing shows it: UTF-8 when the bytes are valid
// UTF-8, Windows-1252 otherwise.
QString ItemText(std::string_view bytes);
// Typed text as sheet bytes (UTF-8). Line breaks and NUL characters become
// blanks, since every item is written as one line of the sheet.
std::string ItemBytes(const QString& text);

// A time as "mm:ss:ff", and a typed time read leniently (never fails).
QString TimeText(const CCueTime& time);
CCueTime ParseTime(const QString& text);
// What the Time boxes show once they lose the focus.
QString NormalisedTime(const QString& text);

// "%.2d %s": the track's number and its type's name.
QString TrackText(const CCueTrack* track);

} // namespace ts
