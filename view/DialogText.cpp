#include "view/DialogText.h"

#include "model/CCueTrack.h"
#include "model/TextEncoding.h"

namespace ts {

QString ItemText(std::string_view bytes)
{
    if (IsValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes)
        text += QChar(static_cast<char16_t>(Windows1252ToUnicode(static_cast<unsigned char>(c))));
    return text;
}

std::string ItemBytes(const QString& text)
{
    QString line = text;
    for (QChar& c : line) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0) || c == QChar(QChar::LineSeparator)
            || c == QChar(QChar::ParagraphSeparator))
            c = QLatin1Char(' ');
    }
    return line.toStdString();
}

QString TimeText(const CCueTime& time) { return QString::fromStdString(time.Text()); }

CCueTime ParseTime(const QString& text) { return CCueTime::Parse(text.toStdString()); }

QString NormalisedTime(const QString& text) { return TimeText(ParseTime(text)); }

QString TrackText(const CCueTrack* track)
{
    if (!track)
        return QString();
    return QString::asprintf("%.2d %s", track->Number(), std::string(track->TypeText()).c_str());
}

} // namespace ts
