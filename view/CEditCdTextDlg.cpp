#include "view/CEditCdTextDlg.h"

#include "ui_CEditCdTextDlg.h"

#include "model/CCueCdText.h"
#include "platform/CPrompts.h"
#include "view/DialogText.h"

CEditCdTextDlg::CEditCdTextDlg(QWidget* parent, const ISheetCodec& codec)
    : QDialog(parent)
    , m_codec(codec)
    , m_ui(std::make_unique<Ui::CEditCdTextDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &CEditCdTextDlg::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CEditCdTextDlg::~CEditCdTextDlg() = default;

void CEditCdTextDlg::Load(const CCueCdText& text)
{
    const bool discLevel = text.OwningTrack() == nullptr;
    m_ui->keywordCombo->clear();
    for (std::string_view keyword : CCueCdText::kKeywords) {
        if (keyword != "CDTEXTFILE" || discLevel)
            m_ui->keywordCombo->addItem(QString::fromLatin1(keyword.data(), static_cast<qsizetype>(keyword.size())));
    }
    m_keyword = ts::ItemText(m_codec, text.Keyword());
    int row = m_ui->keywordCombo->findText(m_keyword, Qt::MatchFixedString);
    if (row < 0) {
        m_ui->keywordCombo->addItem(m_keyword);
        row = m_ui->keywordCombo->count() - 1;
    }
    m_ui->keywordCombo->setCurrentIndex(row);
    // Letter case as written counts as no change.
    m_keyword = m_ui->keywordCombo->currentText();
    m_quoted = text.IsQuoted();
    m_text = ts::ItemText(m_codec, text.Text());
    m_ui->textEdit->setText(m_text);
    m_comment = ts::ItemText(m_codec, text.Comment());
    m_ui->commentEdit->setText(m_comment);
}

bool CEditCdTextDlg::Store(CCueCdText& text) const
{
    bool changed = false;
    if (m_ui->keywordCombo->currentText() != m_keyword)
        changed |= text.SetKeyword(ts::ItemBytes(m_codec, m_ui->keywordCombo->currentText()));
    const QString typed = m_ui->textEdit->text();
    if (typed != m_text) {
        std::string value = ts::ItemBytes(m_codec, typed);
        if (WrittenQuoted(typed))
            value = '"' + value + '"';
        changed |= text.SetValue(value);
    }
    if (m_ui->commentEdit->text() != m_comment)
        changed |= text.SetComment(ts::ItemBytes(m_codec, m_ui->commentEdit->text()));
    return changed;
}

bool CEditCdTextDlg::WrittenQuoted(const QString& typed) const
{
    // A tab outside quotes would read back as a blank.
    return m_quoted || typed.isEmpty() || typed.contains(QLatin1Char(' ')) || typed.contains(QLatin1Char(';'))
        || typed.contains(QLatin1Char('\t'));
}

void CEditCdTextDlg::accept()
{
    const QString typed = m_ui->textEdit->text();
    if (typed != m_text) {
        if (!ts::FieldsAcceptable(*this, m_codec, {{m_ui->textEdit, "text", false}}))
            return;
        if (WrittenQuoted(typed) && typed.contains(QLatin1Char('"'))) {
            ShowMessageBox("The text\n" + typed.toStdString()
                                   + "\ncannot be written in a cue sheet: a double quote (\") would end the text early.",
                               windowTitle().toStdString(), PromptButtons::Ok, PromptIcon::Error);
            m_ui->textEdit->setFocus();
            m_ui->textEdit->selectAll();
            return;
        }
    }
    if (ts::FieldsAcceptable(*this, m_codec, {ts::CommentField(m_ui->commentEdit)}))
        QDialog::accept();
}
