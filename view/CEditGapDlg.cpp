#include "view/CEditGapDlg.h"

#include "ui_CEditGapDlg.h"

#include <QCoreApplication>
#include <QFocusEvent>

#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"
#include "view/DialogText.h"

CEditGapDlg::CEditGapDlg(QWidget* parent, const ISheetCodec& codec)
    : QDialog(parent)
    , m_codec(codec)
    , m_ui(std::make_unique<Ui::CEditGapDlg>())
{
    m_ui->setupUi(this);
    m_ui->timeEdit->installEventFilter(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CEditGapDlg::~CEditGapDlg() = default;

void CEditGapDlg::Load(const CCuePregap& gap)
{
    LoadGap(QCoreApplication::translate("CEditGapDlg", "Edit Pregap"), gap.Track(), gap.Time(), gap);
}

void CEditGapDlg::Load(const CCuePostgap& gap)
{
    LoadGap(QCoreApplication::translate("CEditGapDlg", "Edit Postgap"), gap.Track(), gap.Time(), gap);
}

void CEditGapDlg::LoadGap(const QString& title, const CCueTrack* track, const CCueTime& time, const CCueItem& gap)
{
    setWindowTitle(title);
    m_loadedTime = ts::TimeText(time);
    m_timeText = m_loadedTime;
    m_comment = ts::ItemText(m_codec, gap.Comment());
    m_ui->trackValue->setText(ts::TrackText(track));
    m_ui->timeEdit->setText(m_timeText);
    m_ui->commentEdit->setText(m_comment);
}

bool CEditGapDlg::Store(CCuePregap& gap) const { return StoreGap(gap); }

bool CEditGapDlg::Store(CCuePostgap& gap) const { return StoreGap(gap); }

template <typename Gap>
bool CEditGapDlg::StoreGap(Gap& gap) const
{
    bool changed = false;
    const QString time = m_ui->timeEdit->text();
    if (time != m_loadedTime)
        changed |= gap.SetTime(ts::ParseTime(time));
    if (m_ui->commentEdit->text() != m_comment)
        changed |= gap.SetComment(ts::ItemBytes(m_codec, m_ui->commentEdit->text()));
    return changed;
}

void CEditGapDlg::done(int result)
{
    // OK from the keyboard leaves the Time box without losing the focus:
    // the typed time is checked all the same, and a refused one keeps the
    // dialog open.
    if (result == QDialog::Accepted && !NormaliseTime())
        return;
    QDialog::done(result);
}

bool CEditGapDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->timeEdit && event->type() == QEvent::FocusOut)
        NormaliseTime();
    return QDialog::eventFilter(watched, event);
}

bool CEditGapDlg::NormaliseTime()
{
    const QString previous = m_timeText;
    const QString typed = m_ui->timeEdit->text();
    if (typed == previous)
        return true;
    // Set before asking, so that the box losing the focus to the message
    // does not ask again.
    m_timeText = typed;
    if (!ts::TimeAcceptable(*this, typed)) {
        m_timeText = previous;
        m_ui->timeEdit->setText(previous);
        m_ui->timeEdit->setFocus();
        m_ui->timeEdit->selectAll();
        return false;
    }
    m_timeText = ts::NormalisedTime(typed);
    m_ui->timeEdit->setText(m_timeText);
    return true;
}

void CEditGapDlg::accept()
{
    if (NormaliseTime() && ts::FieldsAcceptable(*this, m_codec, {ts::CommentField(m_ui->commentEdit)}))
        QDialog::accept();
}
