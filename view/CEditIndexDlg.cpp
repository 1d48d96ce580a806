#include "view/CEditIndexDlg.h"

#include "ui_CEditIndexDlg.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QMetaObject>

#include "player/CWavePos.h"
#include "audio/IWavePlayer.h"
#include "model/CCueIndex.h"
#include "model/CCueTrack.h"
#include "platform/CPrompts.h"
#include "view/DialogText.h"

namespace {

// The end of the range of a FILE's last track: no track limits it, only
// the largest time a sheet holds.
const CCueTime kOpenEnd = CCueTime::FromMsf(CCueTime::kMaxMinutes, 59, CCueTime::kFramesPerSecond - 1);

} // namespace

CEditIndexDlg::CEditIndexDlg(CCueIndex& index, IWavePlayer* player, CWavePos* position,
                             std::function<void()> reconnect, QWidget* parent, const ISheetCodec& codec)
    : QDialog(parent)
    , m_codec(codec)
    , m_ui(std::make_unique<Ui::CEditIndexDlg>())
    , m_index(index)
    , m_player(player)
    , m_position(position)
    , m_reconnect(std::move(reconnect))
{
    m_ui->setupUi(this);

    const CCueTrack* track = index.Track();
    m_loadedChoice = index.Number() > 0 ? 1 : 0;
    // INDEX 00 can be chosen when this index is it, or when the track has
    // none yet and this is not its only index.
    m_zeroAllowed = index.Number() == 0
        || (track && track->IndexCount() > 1 && track->Index(0) && track->Index(0)->Number() != 0);
    m_rangeStart = track ? track->PreviousEnd() : CCueTime::FromMsf(0, 0, 0);
    m_rangeEnd = kOpenEnd;
    if (track)
        track->NextStart(m_rangeEnd);
    m_loadedTime = ts::TimeText(index.Time());
    m_timeText = m_loadedTime;
    m_loadedComment = ts::ItemText(m_codec, index.Comment());

    m_ui->zeroRadio->setEnabled(m_zeroAllowed);
    (m_loadedChoice == 1 ? m_ui->autoRadio : m_ui->zeroRadio)->setChecked(true);

    if (m_player) {
        RefreshSetTo(m_player->GetPosition());
        if (m_position) {
            m_savedFileName = m_position->GetFileName();
            m_position->SetFileName(QString());
        }
        // A player that reports from another thread is served on ours.
        m_player->SetPositionListener([this](const CCueTime& reported) {
            QMetaObject::invokeMethod(this, [this, reported] { RefreshSetTo(reported); });
        });
        m_holdsPlayer = true;
        m_ui->playButton->setText(m_player->IsPlaying() ? QCoreApplication::translate("CEditIndexDlg", "Sto&p")
                                                        : QCoreApplication::translate("CEditIndexDlg", "&Play"));
    } else {
        m_ui->playButton->setEnabled(false);
        m_ui->setToButton->setEnabled(false);
    }

    m_rangeText = ts::TimeText(m_rangeStart) + QStringLiteral(" - ");
    if (CCueTime::Compare(m_rangeEnd, kOpenEnd) < 0)
        m_rangeText += ts::TimeText(m_rangeEnd);
    m_ui->rangeLabel->setText(m_rangeText);
    m_ui->timeEdit->setText(m_timeText);
    m_ui->commentEdit->setText(m_loadedComment);
    m_ui->timeEdit->setFocus();
    m_ui->timeEdit->selectAll();

    m_ui->timeEdit->installEventFilter(this);
    connect(m_ui->arrows, &CUpDownCtrl::Stepped, this, &CEditIndexDlg::OnStep);
    connect(m_ui->playButton, &QPushButton::clicked, this, &CEditIndexDlg::OnPlay);
    connect(m_ui->setToButton, &QPushButton::clicked, this, &CEditIndexDlg::OnSetTo);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CEditIndexDlg::~CEditIndexDlg()
{
    // The player must never keep reporting to a dialog that is gone.
    GiveBackPlayer();
}

bool CEditIndexDlg::Store()
{
    bool changed = false;
    const int choice = m_ui->autoRadio->isChecked() ? 1 : 0;
    // Relayout numbers the indexes, so the number is set only when the
    // choice itself changed; setting 1 on an INDEX 02 would report a change
    // that relayout takes back.
    if (choice != m_loadedChoice)
        changed |= m_index.SetNumber(choice);
    if (m_ui->commentEdit->text() != m_loadedComment)
        changed |= m_index.SetComment(ts::ItemBytes(m_codec, m_ui->commentEdit->text()));
    // A time held in milliseconds shows rounded to frames; it is only set
    // again when the text was changed.
    if (m_timeText != m_loadedTime)
        changed |= m_index.SetTime(ts::ParseTime(m_timeText));
    return changed;
}

void CEditIndexDlg::done(int result)
{
    // OK from the keyboard leaves the Time box without losing the focus:
    // the typed time is checked all the same.
    if (result == QDialog::Accepted) {
        if (!ts::FieldsAcceptable(*this, m_codec, {ts::CommentField(m_ui->commentEdit)}) || !CheckTime())
            return;
    }
    GiveBackPlayer();
    QDialog::done(result);
}

bool CEditIndexDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->timeEdit && event->type() == QEvent::FocusOut) {
        // Leaving the window or opening the box's own menu is not leaving
        // the box, and a time about to be cancelled needs no question (OK
        // still checks it if the Cancel button is not pressed after all).
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const QWidget* next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && (!next || next != m_ui->buttons->button(QDialogButtonBox::Cancel)))
            CheckTime();
    }
    return QDialog::eventFilter(watched, event);
}

bool CEditIndexDlg::WithinRange(const CCueTime& time) const
{
    return CCueTime::Compare(time, m_rangeStart) >= 0 && CCueTime::Compare(time, m_rangeEnd) <= 0;
}

void CEditIndexDlg::ShowTime(const QString& text)
{
    m_timeText = text;
    m_ui->timeEdit->setText(text);
}

bool CEditIndexDlg::CheckTime()
{
    const QString previous = m_timeText;
    // Taken before asking, so that the box losing the focus to the question
    // does not ask again.
    m_timeText = m_ui->timeEdit->text();
    if (m_timeText == previous)
        return true;
    // A time no sheet can hold is refused, never wrapped into another one.
    if (!ts::TimeAcceptable(*this, m_timeText)) {
        ShowTime(previous);
        m_ui->timeEdit->setFocus();
        m_ui->timeEdit->selectAll();
        return false;
    }
    CCueTime time = ts::ParseTime(m_timeText);
    if (!WithinRange(time)) {
        const std::string text = m_timeText.toStdString() + " is not within the track's range of "
            + m_rangeText.toStdString() + ".\nSet index time anyway?";
        if (ShowMessageBox(text, "Invalid Index Time", PromptButtons::YesNo, PromptIcon::Warning, true)
            != PromptAnswer::Yes)
            time = ts::ParseTime(previous);
    }
    ShowTime(ts::TimeText(time));
    return true;
}

void CEditIndexDlg::OnStep(int delta)
{
    std::uint32_t m = 0;
    std::uint32_t s = 0;
    std::uint32_t f = 0;
    ts::ParseTime(m_timeText).ToMsf(CCueTime::kFramesPerSecond, m, s, f);
    if (delta > 0) {
        if (++f > 74) {
            f -= 75;
            ++s;
        }
        if (s >= 60) {
            s -= 60;
            ++m;
        }
    } else {
        if (f == 0) {
            if (s == 0 && m > 0) {
                --m;
                s += 60;
            }
            if (s > 0) {
                --s;
                f += 75;
            }
        }
        if (f > 0)
            --f;
    }
    const CCueTime time = CCueTime::FromMsf(m, s, f);
    if (WithinRange(time))
        ShowTime(ts::TimeText(time));
}

void CEditIndexDlg::OnPlay()
{
    if (!m_player)
        return;
    if (m_player->IsPlaying()) {
        m_ui->playButton->setText(QCoreApplication::translate("CEditIndexDlg", "&Play"));
        m_player->Pause();
        RefreshSetTo(m_player->GetPosition());
        return;
    }
    m_ui->playButton->setText(QCoreApplication::translate("CEditIndexDlg", "Sto&p"));
    m_ui->setToButton->setEnabled(true);
    m_player->Seek(ts::ParseTime(m_ui->timeEdit->text()));
    if (m_player->IsPaused())
        m_player->Pause(); // resumes
    else
        m_player->Play();
}

void CEditIndexDlg::OnSetTo()
{
    // The player's position is taken as it is, with no range question.
    if (!m_setToText.isEmpty())
        ShowTime(m_setToText);
}

void CEditIndexDlg::RefreshSetTo(const CCueTime& position)
{
    const QString text = ts::TimeText(position);
    if (text == m_setToText)
        return;
    m_setToText = text;
    m_ui->setToButton->setText(QCoreApplication::translate("CEditIndexDlg", "&Set to ") + text);
}

void CEditIndexDlg::GiveBackPlayer()
{
    if (!m_holdsPlayer)
        return;
    m_holdsPlayer = false;
    if (m_position)
        m_position->SetFileName(m_savedFileName);
    if (m_reconnect)
        m_reconnect();
    else
        m_player->SetPositionListener(nullptr);
}
