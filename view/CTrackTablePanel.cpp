#include "view/CTrackTablePanel.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "album/CTrackTable.h"
#include "document/CEditSession.h"
#include "model/CCueFile.h"
#include "model/CCueItem.h"
#include "model/CCueTrack.h"
#include "platform/CPrompts.h"
#include "tracks/CDecodedAudioFacts.h"
#include "view/CQuillView.h"
#include "view/CSheetCodec.h"
#include "view/CTrackTableDelegate.h"
#include "view/CTrackTableModel.h"
#include "view/DialogText.h"

const char* const CTrackTablePanel::kReactionKey = "Marks/ReactionMs";

namespace {

constexpr int kMaxReactionMs = 5000;

QSettings Settings()
{
    return QSettings(QStringLiteral("Kestrel"), QStringLiteral("Tracksmith"));
}

} // namespace

int CTrackTablePanel::ReactionMs()
{
    const int ms = Settings().value(QString::fromLatin1(kReactionKey), 0).toInt();
    return std::clamp(ms, 0, kMaxReactionMs);
}

CTrackTablePanel::CTrackTablePanel(CEditSession& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_model(new CTrackTableModel(session, this))
    , m_delegate(new CTrackTableDelegate(*m_model, this))
    , m_table(new QTableView(this))
    , m_performer(new QLineEdit(this))
    , m_title(new QLineEdit(this))
    , m_reaction(new QSpinBox(this))
{
    setObjectName(QStringLiteral("TrackTable"));
    m_model->SetAudioLength([this](const CCueFile& file) { return AudioFrames(file); });

    auto* form = new QFormLayout;
    auto* performerLabel = new QLabel(tr("Disc &performer:"), this);
    performerLabel->setBuddy(m_performer);
    auto* titleLabel = new QLabel(tr("Disc &title:"), this);
    titleLabel->setBuddy(m_title);
    form->addRow(performerLabel, m_performer);
    form->addRow(titleLabel, m_title);

    m_reaction->setRange(0, kMaxReactionMs);
    m_reaction->setSingleStep(10);
    m_reaction->setSuffix(tr(" ms"));
    m_reaction->setValue(ReactionMs());
    m_reaction->setToolTip(tr("Taken off the play position when a track start is marked while listening"));
    auto* reactionLabel = new QLabel(tr("&Reaction time:"), this);
    reactionLabel->setBuddy(m_reaction);
    auto* reactionRow = new QHBoxLayout;
    reactionRow->addWidget(reactionLabel);
    reactionRow->addWidget(m_reaction);
    reactionRow->addStretch();
    form->addRow(reactionRow);

    m_table->setModel(m_model);
    m_table->setItemDelegate(m_delegate);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setWordWrap(false);
    m_table->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(form);
    layout->addWidget(m_table, 1);

    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { OnRowChosen(current.row()); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        // A reset makes a new selection model's state: follow the session.
        SelectCurrentRow();
    });
    connect(m_delegate, &CTrackTableDelegate::MoveOn, this,
            [this](const QModelIndex&, int key, Qt::KeyboardModifiers modifiers) { OnMoveOn(key, modifiers); });
    connect(m_performer, &QLineEdit::editingFinished, this, [this] { StoreDiscText(m_performer, "PERFORMER"); });
    connect(m_title, &QLineEdit::editingFinished, this, [this] { StoreDiscText(m_title, "TITLE"); });
    connect(m_reaction, &QSpinBox::valueChanged, this,
            [](int ms) { Settings().setValue(QString::fromLatin1(kReactionKey), ms); });

    m_session.AddView(*this);
}

CTrackTablePanel::~CTrackTablePanel()
{
    m_session.RemoveView(*this);
}

void CTrackTablePanel::OnSheetChanged(const SheetChange&)
{
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    Refresh();
}

void CTrackTablePanel::OnCurrentChanged()
{
    if (isVisible())
        SelectCurrentRow();
}

void CTrackTablePanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        Refresh();
}

void CTrackTablePanel::Refresh()
{
    m_stale = false;
    m_model->Refresh();
    ShowDiscTexts();
    SelectCurrentRow();
}

void CTrackTablePanel::ShowDiscTexts()
{
    const auto show = [this](QLineEdit* edit, const char* keyword) {
        const QString text = CSheetCodec::TextOf(m_session.Codec(), CTrackTable::DiscText(m_session.Doc(), keyword));
        if (edit->text() != text)
            edit->setText(text);
        edit->setModified(false);
    };
    show(m_performer, "PERFORMER");
    show(m_title, "TITLE");
}

void CTrackTablePanel::StoreDiscText(QLineEdit* edit, const char* keyword)
{
    if (!edit->isModified())
        return;
    edit->setModified(false);
    const QString text = ts::OneLine(edit->text()).trimmed();
    std::string bytes;
    std::string problem;
    const std::string name = edit == m_title ? "disc title" : "disc performer";
    if (!CSheetCodec::BytesOf(m_session.Codec(), text, bytes))
        problem = "The " + name + " holds characters that the sheet's encoding, " + m_session.Codec().Charset()
            + ", cannot hold.";
    else if (const std::string why = CTrackTable::TextProblem(bytes); !why.empty())
        problem = "The " + name + "\n" + text.toStdString() + "\ncannot be written in a cue sheet: " + why + ".";
    if (!problem.empty()) {
        ShowMessageBox(problem, CTrackTableModel::kCaption, PromptButtons::Ok, PromptIcon::Error);
        edit->setFocus();
        edit->selectAll();
        edit->setModified(true);
        return;
    }
    CCueItem* current = m_session.CurrentItem();
    m_session.Apply([&](CSheetEditor&) -> CCueItem* {
        CTrackTable::SetDiscText(m_session.Doc(), keyword, bytes);
        return current;
    }, false);
}

void CTrackTablePanel::SelectCurrentRow()
{
    const CCueItem* item = m_session.CurrentItem();
    const CCueTrack* track = item ? item->OwningTrack() : nullptr;
    if (!track && item && item->Kind() == ItemKind::File) {
        const auto* file = static_cast<const CCueFile*>(item);
        track = file->TrackCount() > 0 ? file->Track(0) : nullptr;
    }
    const int row = m_model->RowOfTrack(track);
    const QModelIndex current = m_table->currentIndex();
    if (row < 0 || row == current.row())
        return;
    m_syncing = true;
    const QModelIndex target = m_model->index(row, current.isValid() ? current.column() : CTrackTable::Title);
    m_table->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    m_table->scrollTo(target);
    m_syncing = false;
}

void CTrackTablePanel::OnRowChosen(int row)
{
    if (m_syncing)
        return;
    if (const CCueTrack* track = m_model->TrackOfRow(row))
        m_session.SetCurrentItem(track, this);
}

void CTrackTablePanel::OnMoveOn(int key, Qt::KeyboardModifiers modifiers)
{
    // From where the edited track stands now: a new start may have moved it.
    const QModelIndex from = m_table->currentIndex();
    if (!from.isValid())
        return;
    int row = from.row();
    int column = from.column();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ++row;
    } else {
        const int step = key == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier) ? -1 : 1;
        do {
            column += step;
            if (column >= CTrackTable::ColumnCount) {
                column = 0;
                ++row;
            } else if (column < 0) {
                column = CTrackTable::ColumnCount - 1;
                --row;
            }
        } while (!CTrackTable::IsEditable(column));
    }
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex next = m_model->index(row, column);
    m_table->setCurrentIndex(next);
    m_table->edit(next);
}

bool CTrackTablePanel::PasteColumn()
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid())
        return false;
    QString text = QApplication::clipboard()->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    // The line break after the last line ends it; it starts no empty one.
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return false;
    if (!CTrackTable::IsEditable(current.column())) {
        const QString name = m_model->headerData(current.column(), Qt::Horizontal).toString();
        ShowMessageBox(tr("The %1 column cannot be edited: nothing was pasted.").arg(name).toStdString(),
                       CTrackTableModel::kCaption, PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    return m_model->PasteColumn(current.row(), current.column(), lines);
}

bool CTrackTablePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        // The table's own paste comes before the window's, which pastes
        // sheet lines into the listing.
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (keyEvent->matches(QKeySequence::Paste)) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                PasteColumn();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::optional<std::uint64_t> CTrackTablePanel::AudioFrames(const CCueFile& file)
{
    const std::string path = CQuillView::ResolvePath(m_session, file.Name());
    const QFileInfo info(QString::fromStdString(path));
    if (!info.exists())
        return std::nullopt;
    AudioLength& known = m_lengths[path];
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();
    if (known.size != info.size() || known.modified != modified) {
        known.size = info.size();
        known.modified = modified;
        known.frames.reset();
        const AudioFacts facts = CDecodedAudioFacts().Read(path);
        if (facts.readable && facts.rate > 0)
            known.frames = facts.frames * 75 / facts.rate;
    }
    return known.frames;
}
