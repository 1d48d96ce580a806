#include "app/CWelcomeDlg.h"

#include "ui_CWelcomeDlg.h"

#include <QApplication>

CWelcomeDlg::CWelcomeDlg(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CWelcomeDlg>())
{
    m_ui->setupUi(this);
    m_ui->icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &CWelcomeDlg::accept);
}

CWelcomeDlg::~CWelcomeDlg() = default;

void CWelcomeDlg::accept()
{
    m_viewReadme = m_ui->viewReadme->isChecked();
    QDialog::accept();
}

QWidget* CWelcomeDlg::ReadmeBox() const
{
    return m_ui->viewReadme;
}
