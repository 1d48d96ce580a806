#include "audio/CIntervalDlg.h"

#include "ui_CIntervalDlg.h"

#include <QPushButton>

#include "model/CCueTime.h"

CIntervalDlg::CIntervalDlg(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CIntervalDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->startEdit, &QLineEdit::editingFinished, this,
            [this] { Normalize(m_ui->startEdit, m_startShown); });
    connect(m_ui->stopEdit, &QLineEdit::editingFinished, this, [this] { Normalize(m_ui->stopEdit, m_stopShown); });
}

CIntervalDlg::~CIntervalDlg() = default;

void CIntervalDlg::SetStart(const QString& time)
{
    m_ui->startEdit->setText(time);
    m_startShown = time;
}

void CIntervalDlg::SetStop(const QString& time)
{
    m_ui->stopEdit->setText(time);
    m_stopShown = time;
}

QString CIntervalDlg::Start() const { return m_ui->startEdit->text(); }

QString CIntervalDlg::Stop() const { return m_ui->stopEdit->text(); }

void CIntervalDlg::SetOkCaption(const QString& caption)
{
    if (!caption.isEmpty())
        OkButton()->setText(caption);
}

QLineEdit* CIntervalDlg::StartEdit() const { return m_ui->startEdit; }

QLineEdit* CIntervalDlg::StopEdit() const { return m_ui->stopEdit; }

QPushButton* CIntervalDlg::OkButton() const { return m_ui->buttons->button(QDialogButtonBox::Ok); }

void CIntervalDlg::Normalize(QLineEdit* edit, QString& shown)
{
    const QString text = edit->text();
    if (text == shown)
        return;
    shown = QString::fromStdString(CCueTime::Parse(text.toStdString()).Text());
    edit->setText(shown);
}
