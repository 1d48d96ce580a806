#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include <QString>

#include "model/CCueTime.h"

class CCueTrack;
class ISheetCodec;
class QDialog;
class QLineEdit;
class QWidget;

// Conversions between the sheet's bytes and the texts of the edit dialogs.
namespace ts {

// A name or comment as the listing shows it, in the sheet's character set.
QString ItemText(const ISheetCodec& codec, std::string_view bytes);
// Typed text as sheet bytes, in the sheet's character set, as one line.
std::string ItemBytes(const ISheetCodec& codec, const QString& text);
// The text as one line: line breaks and NUL characters become blanks,
// since every item is written as one line of the sheet.
QString OneLine(const QString& text);
// A name or text as a label or the status bar shows it: one of more than
// a few hundred characters is cut in its middle, since no screen shows
// more and measuring a name of megabytes would stall the window.
QString ShownText(const QString& text);
// UTF-8 bytes as a text that ShownText cuts exactly as it cuts the whole
// decoded text, decoding only the two ends of a long one: a name of
// megabytes costs what is shown of it.
QString ShownEnds(std::string_view utf8);
// The last part of a path (after its last '/') as a label shows it, cut
// as ShownText cuts it; only its two ends are decoded.
QString ShownFileName(std::string_view path);

// One text box of an edit dialog and what it must hold.
struct DialogField {
    QLineEdit* edit;
    const char* name;   // as the message names it: "file name"
    bool required;      // must not be empty
    bool fileName = false; // must be a name a cue sheet can hold
    bool code = false;     // an ISRC or CATALOG code that must read back as typed
    bool comment = false;  // a comment, whose typed double quotes must pair
};
// A dialog's Comment box.
inline DialogField CommentField(QLineEdit* edit) { return {edit, "comment", false, false, false, true}; }
// Checks the boxes when OK is pressed: a required one must not be empty, a
// file name must be one a sheet can hold, and every text must fit the
// sheet's character set, so that the line written reads back as typed, and
// a typed comment's double quotes must pair. On
// the first that fails: a message captioned with the dialog's title, the
// focus on that box, and false.
bool FieldsAcceptable(QDialog& dialog, const ISheetCodec& codec, std::initializer_list<DialogField> fields);

// A time as "mm:ss:ff", and a typed time read leniently (never fails).
QString TimeText(const CCueTime& time);
CCueTime ParseTime(const QString& text);
// What the Time boxes show once they lose the focus.
QString NormalisedTime(const QString& text);
// Refuses a typed time that a sheet cannot hold exactly (a negative time,
// seconds past 59, frames past 74, minutes past 9999, or no time at all):
// a message captioned with the dialog's title that says why, and false.
bool TimeAcceptable(QWidget& dialog, const QString& text);

// "%.2d %s": the track's number and its type's name.
QString TrackText(const CCueTrack* track);

} // namespace ts
