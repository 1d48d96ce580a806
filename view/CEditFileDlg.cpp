#include "view/CEditFileDlg.h"

#include "ui_CEditFileDlg.h"

#include <QDir>
#include <QFileInfo>

#include "model/CCueFile.h"
#include "model/TextUtil.h"
#include "platform/FileUtil.h"
#include "view/DialogText.h"

namespace {

// The list holds the types a sheet can name, so its row is the type's code.
int TypeRow(FileType type)
{
    const int row = static_cast<int>(type);
    return row <= static_cast<int>(FileType::Aiff) ? row : -1;
}

} // namespace

CEditFileDlg::CEditFileDlg(QWidget* parent, const ISheetCodec& codec)
    : QDialog(parent)
    , m_codec(codec)
    , m_ui(std::make_unique<Ui::CEditFileDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->browseButton, &QPushButton::clicked, this, &CEditFileDlg::OnBrowse);
}

CEditFileDlg::~CEditFileDlg() = default;

void CEditFileDlg::Load(const CCueFile& file)
{
    m_name = ts::ItemText(m_codec, file.Name());
    m_type = TypeRow(file.Type());
    m_comment = ts::ItemText(m_codec, file.Comment());
    m_ui->nameEdit->setText(m_name);
    m_ui->typeCombo->setCurrentIndex(m_type);
    m_ui->commentEdit->setText(m_comment);
}

bool CEditFileDlg::Store(CCueFile& file) const
{
    bool changed = false;
    if (m_ui->nameEdit->text() != m_name)
        changed |= file.SetName(ts::ItemBytes(m_codec, m_ui->nameEdit->text()));
    // A type outside the list (a sheet's ERR or UNKNOWN) shows no row and
    // is kept unless the user picks one.
    const int type = m_ui->typeCombo->currentIndex();
    if (type >= 0 && type != m_type)
        changed |= file.SetType(static_cast<FileType>(type));
    if (m_ui->commentEdit->text() != m_comment)
        changed |= file.SetComment(ts::ItemBytes(m_codec, m_ui->commentEdit->text()));
    return changed;
}

FileDialogRequest CEditFileDlg::BrowseRequest(const std::string& folder)
{
    FileDialogRequest request;
    request.title = "Select file to insert";
    request.folder = folder;
    request.filters = {{"Wave files (*.wav)", "*.wav"},
                       {"Binary files (*.iso;*.raw)", "*.iso;*.raw"},
                       {"All files (*.*)", "*.*"}};
    return request;
}

void CEditFileDlg::OnBrowse()
{
    // Start where the named file lies; a relative name lies beside the sheet.
    QString name = m_ui->nameEdit->text();
    name.replace(QLatin1Char('\\'), QLatin1Char('/')); // names written on Windows
    QString folder = QFileInfo(name).path();
    if (!name.contains(QLatin1Char('/')))
        folder.clear();
    if (QDir::isRelativePath(folder) && !m_sheetFolder.empty())
        folder = folder.isEmpty() ? QString::fromStdString(m_sheetFolder)
                                  : QDir::cleanPath(QString::fromStdString(m_sheetFolder) + QLatin1Char('/') + folder);
    const std::optional<std::string> path = CPrompts::Current().AskOpenFile(BrowseRequest(folder.toStdString()));
    if (!path)
        return;
    // Only name and type change: what was typed in the Comment box stays.
    // A file in the sheet's folder or below goes by its path from there.
    QString chosen = QString::fromStdString(*path);
    if (!m_sheetFolder.empty()) {
        const QString relative = QDir(QString::fromStdString(m_sheetFolder)).relativeFilePath(chosen);
        if (!relative.startsWith(QStringLiteral("../")) && relative != QStringLiteral("..") && !QDir::isAbsolutePath(relative))
            chosen = relative;
    }
    m_ui->nameEdit->setText(chosen);
    const bool wave = ts::EqualsNoCase(ts::PathExtension(*path), ".wav");
    m_ui->typeCombo->setCurrentIndex(static_cast<int>(wave ? FileType::Wave : FileType::Binary));
}

void CEditFileDlg::accept()
{
    if (ts::FieldsAcceptable(*this, m_codec, {{m_ui->nameEdit, "file name", true, true}, ts::CommentField(m_ui->commentEdit)}))
        QDialog::accept();
}
