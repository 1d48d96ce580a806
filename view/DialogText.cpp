#include "view/DialogText.h"

#include "model/CCueTrack.h"
#include "model/CueLineText.h"
#include "platform/CPrompts.h"
#include "model/TextEncoding.h"
#include "view/CSheetCodec.h"

#include <QDialog>
#include <QLineEdit>
#include <QWidget>

namespace ts {

QString ItemText(const ISheetCodec& codec, std::string_view bytes)
{
    return CSheetCodec::TextOf(codec, bytes);
}

std::string ItemBytes(const ISheetCodec& codec, const QString& text)
{
    std::string bytes;
    CSheetCodec::BytesOf(codec, OneLine(text), bytes);
    return bytes;
}

namespace {
constexpr qsizetype kLongestShown = 512;
}

QString ShownText(const QString& text)
{
    if (text.size() <= kLongestShown)
        return text;
    return text.left(kLongestShown / 2) + QChar(0x2026) + text.right(kLongestShown / 2 - 1);
}

QString ShownEnds(std::string_view utf8)
{
    // A character takes at most four bytes, so each window decodes to more
    // UTF-16 units than ShownText keeps of that end.
    constexpr std::size_t kWindow = 4 * kLongestShown;
    if (utf8.size() <= 2 * kWindow)
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const auto continuation = [&](std::size_t at) { return (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80; };
    // Both windows are cut where a character starts.
    std::size_t headEnd = kWindow;
    for (int i = 0; i < 3 && continuation(headEnd); ++i)
        --headEnd;
    std::size_t tailStart = utf8.size() - kWindow;
    for (int i = 0; i < 3 && continuation(tailStart); ++i)
        ++tailStart;
    const QString head = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(headEnd));
    const QString tail = QString::fromUtf8(utf8.data() + tailStart, static_cast<qsizetype>(utf8.size() - tailStart));
    // One unit more at each end than ShownText keeps: still longer than it
    // shows whole, so it is cut at the same places.
    return head.left(kLongestShown / 2 + 1) + tail.right(kLongestShown / 2);
}

QString ShownFileName(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return ShownText(ShownEnds(slash == std::string_view::npos ? path : path.substr(slash + 1)));
}

QString OneLine(const QString& text)
{
    QString line = text;
    for (QChar& c : line) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0) || c == QChar(QChar::LineSeparator)
            || c == QChar(QChar::ParagraphSeparator))
            c = QLatin1Char(' ');
    }
    return line;
}

bool FieldsAcceptable(QDialog& dialog, const ISheetCodec& codec, std::initializer_list<DialogField> fields)
{
    const std::string caption = dialog.windowTitle().toStdString();
    for (const DialogField& field : fields) {
        const QString text = OneLine(field.edit->text());
        std::string message;
        std::string bytes;
        if (field.required && text.trimmed().isEmpty()) {
            message = std::string("The ") + field.name + " must not be empty.";
        } else if (!CSheetCodec::BytesOf(codec, text, bytes)) {
            message = std::string("The ") + field.name + " holds characters that the sheet's encoding, "
                + codec.Charset() + ", cannot hold.";
        } else if (field.fileName && FileNameForm(bytes) == NameForm::Impossible) {
            message = "The file name\n" + text.toStdString() + "\ncannot be written in a cue sheet: "
                + FileNameProblem(bytes);
        } else if (field.comment && field.edit->isModified() && !CommentProblem(bytes).empty()) {
            // Only a typed comment: one read from the sheet is kept as it is.
            message = "The comment\n" + text.toStdString() + "\ncannot be written in a cue sheet: "
                + CommentProblem(bytes);
        } else if (field.code && !text.isEmpty() && !CodeProblem(bytes).empty()) {
            message = "The " + std::string(field.name) + "\n" + text.toStdString() + "\ncannot be written in a cue sheet: "
                + CodeProblem(bytes);
        }
        if (!message.empty()) {
            ShowMessageBox(message, caption, PromptButtons::Ok, PromptIcon::Error);
            field.edit->setFocus();
            field.edit->selectAll();
            return false;
        }
    }
    return true;
}

QString TimeText(const CCueTime& time) { return QString::fromStdString(time.Text()); }

CCueTime ParseTime(const QString& text) { return CCueTime::Parse(text.trimmed().toStdString()); }

QString NormalisedTime(const QString& text) { return TimeText(ParseTime(text)); }

bool TimeAcceptable(QWidget& dialog, const QString& text)
{
    const std::string problem = CCueTime::Problem(text.trimmed().toStdString());
    if (problem.empty())
        return true;
    ShowMessageBox(text.toStdString() + " is not a valid time: " + problem + ".", dialog.windowTitle().toStdString(),
                   PromptButtons::Ok, PromptIcon::Error);
    return false;
}

QString TrackText(const CCueTrack* track)
{
    if (!track)
        return QString();
    return QString::asprintf("%.2d %s", track->Number(), std::string(track->TypeText()).c_str());
}

} // namespace ts
