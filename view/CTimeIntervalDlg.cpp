#include "view/CTimeIntervalDlg.h"

#include "ui_CTimeIntervalDlg.h"

#include <QPushButton>

#include "view/DialogText.h"

CTimeIntervalDlg::CTimeIntervalDlg(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CTimeIntervalDlg>())
{
    m_ui->setupUi(this);
    m_ui->startEdit->installEventFilter(this);
    m_ui->stopEdit->installEventFilter(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CTimeIntervalDlg::~CTimeIntervalDlg() = default;

void CTimeIntervalDlg::SetStart(const QString& text)
{
    m_start = text;
    m_ui->startEdit->setText(text);
}

void CTimeIntervalDlg::SetStop(const QString& text)
{
    m_stop = text;
    m_ui->stopEdit->setText(text);
}

QString CTimeIntervalDlg::Start() const { return m_ui->startEdit->text(); }

QString CTimeIntervalDlg::Stop() const { return m_ui->stopEdit->text(); }

void CTimeIntervalDlg::SetOkCaption(const QString& caption)
{
    if (!caption.isEmpty())
        m_ui->buttons->button(QDialogButtonBox::Ok)->setText(caption);
}

QLineEdit* CTimeIntervalDlg::StartEdit() const
{
    return m_ui->startEdit;
}

QLineEdit* CTimeIntervalDlg::StopEdit() const
{
    return m_ui->stopEdit;
}

QPushButton* CTimeIntervalDlg::OkButton() const
{
    return m_ui->buttons->button(QDialogButtonBox::Ok);
}

void CTimeIntervalDlg::done(int result)
{
    // OK from the keyboard leaves a box without losing the focus.
    if (result == QDialog::Accepted
        && (!Normalise(m_ui->startEdit, m_start) || !Normalise(m_ui->stopEdit, m_stop)))
        return; // refused: the dialog stays open
    QDialog::done(result);
}

bool CTimeIntervalDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == m_ui->startEdit)
            Normalise(m_ui->startEdit, m_start);
        else if (watched == m_ui->stopEdit)
            Normalise(m_ui->stopEdit, m_stop);
    }
    return QDialog::eventFilter(watched, event);
}

bool CTimeIntervalDlg::Normalise(QLineEdit* box, QString& lastText)
{
    const QString previous = lastText;
    const QString typed = box->text();
    if (typed == previous)
        return true;
    // Set before asking, so that the box losing the focus to the message
    // does not ask again.
    lastText = typed;
    if (!ts::TimeAcceptable(*this, typed)) {
        lastText = previous;
        box->setText(previous);
        box->setFocus();
        box->selectAll();
        return false;
    }
    lastText = ts::NormalisedTime(typed);
    box->setText(lastText);
    return true;
}
