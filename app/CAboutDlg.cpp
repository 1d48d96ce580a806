#include "app/CAboutDlg.h"

#include "res/Version.h"
#include "ui_CAboutDlg.h"

#include <QApplication>
#include <QPixmap>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CAboutDlg>())
{
    m_ui->setupUi(this);
    m_ui->icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    // The picture scales to its label; a missing image leaves it empty.
    m_ui->picture->setPixmap(QPixmap(QStringLiteral(":/icons/about.png")));
    // The version this program was built as, from the project version.
    m_ui->build->setText(m_ui->build->text().arg(QLatin1String(res::kVersion)));
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);
}

CAboutDlg::~CAboutDlg() = default;
