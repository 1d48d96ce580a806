#include "app/CWelcomeDlg.h"

#include "ui_CWelcomeDlg.h"

#include <QApplication>
#include <QFontMetrics>

CWelcomeDlg::CWelcomeDlg(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CWelcomeDlg>())
{
    m_ui->setupUi(this);
    m_ui->icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    // Wide enough that the title bar shows the whole caption: its text in
    // a bold title font, and room for the frame's icon and buttons.
    QFont titleFont = font();
    titleFont.setBold(true);
    const int caption = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarExtras;
    m_ui->text->addStrut(caption - m_ui->icon->sizeHint().width() - m_ui->outer->spacing()
                         - m_ui->outer->contentsMargins().left() - m_ui->outer->contentsMargins().right());
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
