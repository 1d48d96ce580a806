#include "player/CTimeDlg.h"

#include "ui_CTimeDlg.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPushButton>

#include "model/CCueTime.h"
#include "platform/CPrompts.h"

CTimeDlg::CTimeDlg(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CTimeDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Checked when the box loses the focus, and on OK (which Return presses
    // without taking the focus from the box).
    m_ui->timeEdit->installEventFilter(this);
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

bool CTimeDlg::Normalize()
{
    const QString text = m_ui->timeEdit->text();
    if (text == m_shown)
        return true;
    // A time no sheet can hold is refused, never wrapped into another one.
    const QString previous = m_shown;
    m_shown = text; // the box losing the focus to the message asks no more
    if (const std::string problem = CCueTime::Problem(text.trimmed().toStdString()); !problem.empty()) {
        ShowMessageBox(text.toStdString() + " is not a valid time: " + problem + ".", windowTitle().toStdString(),
                       PromptButtons::Ok, PromptIcon::Error);
        m_shown = previous;
        m_ui->timeEdit->setText(previous);
        m_ui->timeEdit->setFocus();
        m_ui->timeEdit->selectAll();
        return false;
    }
    m_shown = QString::fromStdString(CCueTime::Parse(text.trimmed().toStdString()).Text());
    m_ui->timeEdit->setText(m_shown);
    return true;
}

bool CTimeDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->timeEdit && event->type() == QEvent::FocusOut) {
        // Leaving the window or opening the box's own menu is not leaving
        // the box, and a time about to be cancelled needs no message.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const QWidget* next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && (!next || next != m_ui->buttons->button(QDialogButtonBox::Cancel)))
            Normalize();
    }
    return QDialog::eventFilter(watched, event);
}

void CTimeDlg::done(int result)
{
    // OK from the keyboard leaves the box without losing the focus.
    if (result == QDialog::Accepted && !Normalize())
        return;
    QDialog::done(result);
}
