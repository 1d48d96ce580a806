#include "player/CTimeDlg.h"

#include "ui_CTimeDlg.h"

#include <QPushButton>

#include "model/CCueTime.h"

CTimeDlg::CTimeDlg(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CTimeDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->timeEdit, &QLineEdit::editingFinished, this, &CTimeDlg::Normalize);
}

CTimeDlg::~CTimeDlg() = default;

void CTimeDlg::SetTime(const QString& time)
{
    m_ui->timeEdit->setText(time);
    m_shown = time;
}

QString CTimeDlg::Time() const { return m_ui->timeEdit->text(); }

void CTimeDlg::SetTitle(const QString& title)
{
    if (!title.isEmpty())
        setWindowTitle(title);
}

QLineEdit* CTimeDlg::TimeEdit() const { return m_ui->timeEdit; }

void CTimeDlg::Normalize()
{
    const QString text = m_ui->timeEdit->text();
    if (text == m_shown)
        return;
    m_shown = QString::fromStdString(CCueTime::Parse(text.toStdString()).Text());
    m_ui->timeEdit->setText(m_shown);
}
