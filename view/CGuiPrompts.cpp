#include "view/CGuiPrompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "model/TextEncoding.h"
#include "document/CEditSession.h"
#include "document/CUtf8Codec.h"
#include "view/CMessageText.h"
#include "view/CSheetCodec.h"

namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString Filters(const FileDialogRequest& request)
{
    QStringList filters;
    for (const auto& [name, patterns] : request.filters) {
        // "All Files (*.*)" should match files without a dot too.
        QString pattern = FromUtf8(patterns);
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
        const QString title = ts::TranslateMessage(FromUtf8(name).section(QLatin1Char('('), 0, 0).trimmed());
        filters << title + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString StartPath(const FileDialogRequest& request)
{
    if (request.folder.empty())
        return FromUtf8(request.fileName);
    if (request.fileName.empty())
        return FromUtf8(request.folder);
    return FromUtf8(request.folder) + QLatin1Char('/') + FromUtf8(request.fileName);
}

} // namespace

CGuiPrompts::CGuiPrompts(QWidget* owner)
    : m_owner(owner)
{
}

// A message may quote a sheet's bytes, which need not be UTF-8; they are
// read in the open sheet's character set.
QString CGuiPrompts::MessageText(const std::string& s) const
{
    // The text is shown in the program's language.
    if (ts::IsValidUtf8(s))
        return ts::TranslateMessage(FromUtf8(s));
    return ts::TranslateMessage(
        CSheetCodec::TextOf(m_session ? m_session->Codec() : static_cast<const ISheetCodec&>(CUtf8Codec::Instance()), s));
}

PromptAnswer CGuiPrompts::ShowMessage(const MessageBoxRequest& request)
{
    QMessageBox box(m_owner);
    box.setWindowTitle(ts::TranslateMessage(FromUtf8(request.caption)));
    box.setText(MessageText(request.text));
    box.setTextFormat(Qt::PlainText);
    if (!request.details.empty()) {
        QStringList details;
        for (const PromptMessage& message : request.details)
            details << MessageText(message.text).trimmed();
        box.setDetailedText(details.join(QLatin1Char('\n')));
    }
    switch (request.icon) {
    case PromptIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case PromptIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case PromptIcon::Information: box.setIcon(QMessageBox::Information); break;
    case PromptIcon::Question: box.setIcon(QMessageBox::Question); break;
    case PromptIcon::None: break;
    }
    switch (request.buttons) {
    case PromptButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case PromptButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case PromptButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case PromptButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    if (request.foreground && m_owner) {
        m_owner->raise();
        m_owner->activateWindow();
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    default: break;
    }
    // Escape or the close box: the box's safe answer.
    return request.buttons == PromptButtons::Ok ? PromptAnswer::Ok : request.buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Cancel;
}

std::optional<std::string> CGuiPrompts::AskOpenFile(const FileDialogRequest& request)
{
    const QString path = QFileDialog::getOpenFileName(m_owner, ts::TranslateMessage(FromUtf8(request.title)), StartPath(request), Filters(request));
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

std::vector<std::string> CGuiPrompts::AskOpenFiles(const FileDialogRequest& request)
{
    std::vector<std::string> paths;
    for (const QString& path :
         QFileDialog::getOpenFileNames(m_owner, FromUtf8(request.title), StartPath(request), Filters(request)))
        paths.push_back(path.toStdString());
    return paths;
}

std::optional<std::string> CGuiPrompts::AskSaveFile(const FileDialogRequest& request)
{
    const QString path = QFileDialog::getSaveFileName(m_owner, ts::TranslateMessage(FromUtf8(request.title)), StartPath(request), Filters(request));
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}
