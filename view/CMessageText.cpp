#include "view/CMessageText.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <string>

namespace ts {

namespace {

constexpr const char* kContext = "Messages";

// The messages made of fixed words around names, numbers and other
// messages, as the engine writes them. A line is matched against them in
// this order, so a longer template comes before one it contains.
const std::vector<const char*> kTemplates = {
    "Warning at Line %1:  %2",
    "Line %1:  %2",
    "Cannot open \"%1\": %2",
    "Cannot save \"%1\": %2",
    "Save changes to %1?",
    "Truncate at %1?",
    "Unable to open the help file %1",
    "The file %1",
    "Unknown track type %1",
    "Unknown file type %1",
    "Got new track %1",
    "Got new index %1",
    "\"%1\" was not added: %2",
    "The Clipboard holds characters that the sheet's encoding, %1, cannot hold.",
    "cannot be written in this cue sheet: the sheet's encoding, %1, cannot hold its characters.",
    "cannot be written in a cue sheet: %1",
    "%1 already holds this file:",
    "%1 already holds %2 of these files:",
    "Wrote %1 track files and %2 into %3.",
    "%1 is not within the track's range of %2.",
};

// The exact translation of one text, or a null string.
QString Exact(const QString& english)
{
    const QByteArray key = english.toUtf8();
    const QString translated = QCoreApplication::translate(kContext, key.constData());
    return translated == english ? QString() : translated;
}

// The template as a pattern: its fixed parts literal, each %N a group.
// The last group takes the rest of the line, the others as little as they
// can.
QRegularExpression Pattern(const QString& pattern, QList<int>& numbers)
{
    static const QRegularExpression placeholder(QStringLiteral("%([1-9])"));
    QString expression = QStringLiteral("^");
    qsizetype at = 0;
    auto matches = placeholder.globalMatch(pattern);
    while (matches.hasNext()) {
        const QRegularExpressionMatch m = matches.next();
        expression += QRegularExpression::escape(pattern.mid(at, m.capturedStart() - at));
        expression += matches.hasNext() ? QStringLiteral("(.*?)") : QStringLiteral("(.*)");
        numbers.append(m.captured(1).toInt());
        at = m.capturedEnd();
    }
    expression += QRegularExpression::escape(pattern.mid(at)) + QLatin1Char('$');
    return QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption);
}

// Puts the parts into the translated template: %N by the part that stood
// at %N in the English text, each translated when it is a message itself.
QString Fill(const QString& translated, const QList<int>& numbers, const QRegularExpressionMatch& m)
{
    QString out;
    for (qsizetype i = 0; i < translated.size(); ++i) {
        const QChar c = translated.at(i);
        if (c == QLatin1Char('%') && i + 1 < translated.size() && translated.at(i + 1).isDigit()) {
            const int number = translated.at(i + 1).digitValue();
            const qsizetype group = numbers.indexOf(number);
            if (group >= 0) {
                const QString part = m.captured(static_cast<int>(group) + 1);
                const QString exact = Exact(part);
                out += exact.isNull() ? part : exact;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QString TranslateLine(const QString& line)
{
    if (const QString exact = Exact(line); !exact.isNull())
        return exact;
    for (const char* english : kTemplates) {
        const QString pattern = QString::fromUtf8(english);
        QList<int> numbers;
        const QRegularExpressionMatch m = Pattern(pattern, numbers).match(line);
        if (!m.hasMatch())
            continue;
        const QString translated = Exact(pattern);
        if (translated.isNull())
            return line;
        return Fill(translated, numbers, m);
    }
    return line;
}

} // namespace

QString TranslateMessage(const QString& english)
{
    if (const QString exact = Exact(english); !exact.isNull())
        return exact;
    QStringList lines = english.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = TranslateLine(line);
    return lines.join(QLatin1Char('\n'));
}

QString TranslateCommandText(std::string_view english)
{
    const std::string key(english);
    return QCoreApplication::translate("Commands", key.c_str());
}

const std::vector<const char*>& MessageTemplates()
{
    return kTemplates;
}

} // namespace ts
