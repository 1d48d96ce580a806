#include "view/CWaveformPanel.h"

#include "audio/CPeaks.h"
#include "document/CEditSession.h"
#include "document/CQuillDoc.h"
#include "model/CCueCdText.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"
#include "platform/FileUtil.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "view/CMessageText.h"
#include "view/CPeakLoader.h"
#include "view/CQuillView.h"
#include "view/CSheetCodec.h"
#include "view/DialogText.h"
#include "view/CWaveformView.h"

#include <QAction>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace {

constexpr int kProgressInterval = 50; // ms between looks at the worker's progress

// The track's title: its CD-TEXT TITLE, else its comment without the
// comment mark.
// The texts are the sheet's bytes, read in its character set.
QString TitleOf(const CCueTrack& track, const ISheetCodec& codec)
{
    for (int i = 0; i < track.ChildCount(); ++i) {
        const auto* cdText = dynamic_cast<const CCueCdText*>(track.Child(i));
        if (cdText && cdText->Keyword() == "TITLE") {
            return CSheetCodec::TextOf(codec, cdText->Text()).trimmed();
        }
    }
    QString text = CSheetCodec::TextOf(codec, track.Comment()).trimmed();
    if (text.startsWith(QLatin1Char(';')))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("REM "), Qt::CaseInsensitive))
        text.remove(0, 4);
    return text.trimmed();
}

} // namespace

CWaveformPanel::CWaveformPanel(CEditSession& session, QWidget& listing, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_doc(session.Doc())
    , m_listing(listing)
    , m_loader(new CPeakLoader(this))
    , m_wave(new CWaveformView(this))
    , m_scroll(new QScrollBar(Qt::Horizontal, this))
    , m_progress(new QProgressBar(this))
    , m_status(new QLabel(this))
    , m_pointer(new QLabel(this))
    , m_level(new QSpinBox(this))
    , m_length(new QDoubleSpinBox(this))
    , m_menu(new QMenu(this))
{
    setFocusPolicy(Qt::NoFocus);
    m_loader->SetCacheFolder(
        (QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/peaks")).toStdString());

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(m_status, 1);
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_progress->setMaximumWidth(160);
    m_progress->hide();
    bar->addWidget(m_progress);
    bar->addWidget(m_pointer);
    auto* levelLabel = new QLabel(tr("Silence &under"), this);
    levelLabel->setBuddy(m_level);
    m_level->setRange(-90, -10);
    m_level->setSuffix(QStringLiteral(" dB"));
    m_level->setValue(kSilenceDb);
    auto* lengthLabel = new QLabel(tr("f&or"), this);
    lengthLabel->setBuddy(m_length);
    m_length->setRange(0.1, 30.0);
    m_length->setDecimals(1);
    m_length->setSingleStep(0.1);
    m_length->setSuffix(QStringLiteral(" s"));
    m_length->setValue(kSilenceSeconds);
    bar->addWidget(levelLabel);
    bar->addWidget(m_level);
    bar->addWidget(lengthLabel);
    bar->addWidget(m_length);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_wave, 1);
    layout->addWidget(m_scroll);

    const CommandInfo* index = res::FindCommand(cmd::InsertIndex);
    const CommandInfo* track = res::FindCommand(cmd::InsertTrack);
    // Owned by the panel: the menu is cleared when the frame adds its items.
    m_insertIndex = new QAction(tr("Insert In&dex Here"), this);
    m_menu->addAction(m_insertIndex);
    m_insertIndex->setStatusTip(index ? ts::TranslateCommandText(index->prompt) : QString());
    m_insertTrack = new QAction(tr("Insert T&rack Here"), this);
    m_menu->addAction(m_insertTrack);
    m_insertTrack->setStatusTip(track ? ts::TranslateCommandText(track->prompt) : QString());
    connect(m_insertIndex, &QAction::triggered, this, [this] { InsertAt(ItemKind::Index, m_menuBin); });
    connect(m_insertTrack, &QAction::triggered, this, [this] { InsertAt(ItemKind::Track, m_menuBin); });

    m_progressTimer.setInterval(kProgressInterval);
    connect(&m_progressTimer, &QTimer::timeout, this, &CWaveformPanel::OnProgress);
    connect(m_loader, &CPeakLoader::Loaded, this, &CWaveformPanel::OnLoaded);
    connect(m_loader, &CPeakLoader::Failed, this, &CWaveformPanel::OnFailed);
    connect(m_wave, &CWaveformView::ViewChanged, this, &CWaveformPanel::OnViewChanged);
    connect(m_wave, &CWaveformView::SeekRequested, this,
            [this](std::int64_t bin) { emit SeekRequested(TimeOfBin(bin)); });
    // The position control and the player follow a dragged mark.
    connect(m_wave, &CWaveformView::MarkMoving, this,
            [this](int, std::int64_t bin) { emit SeekRequested(TimeOfBin(bin)); });
    connect(m_wave, &CWaveformView::MarkDropped, this, &CWaveformPanel::OnDropped);
    connect(m_wave, &CWaveformView::MarkActivated, this, &CWaveformPanel::OnActivated);
    connect(m_wave, &CWaveformView::ContextMenuRequested, this, &CWaveformPanel::OnContextMenu);
    connect(m_wave, &CWaveformView::PointerMoved, this,
            [this](std::int64_t bin) { m_pointer->setText(QString::fromStdString(TimeOfBin(bin).Text())); });
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncingScroll)
            m_wave->SetFirstBin(value);
    });
    connect(m_level, &QSpinBox::valueChanged, this, &CWaveformPanel::OnSilenceChanged);
    connect(m_length, &QDoubleSpinBox::valueChanged, this, &CWaveformPanel::OnSilenceChanged);
    // Enter in a silence box gives the keys back to the listing.
    connect(m_level, &QSpinBox::editingFinished, this, [this] { if (m_level->hasFocus()) m_listing.setFocus(); });
    connect(m_length, &QDoubleSpinBox::editingFinished, this, [this] { if (m_length->hasFocus()) m_listing.setFocus(); });
    OnSilenceChanged();
    OnViewChanged();
    m_session.AddView(*this);
}

CWaveformPanel::~CWaveformPanel()
{
    m_session.RemoveView(*this);
}

void CWaveformPanel::OnSheetChanged(const SheetChange&)
{
    RefreshMarks();
}

void CWaveformPanel::OnCurrentChanged()
{
    RefreshMarks();
}

CCueTime CWaveformPanel::TimeOfBin(std::int64_t bin)
{
    bin = std::max<std::int64_t>(bin, 0);
    const auto frames = static_cast<std::uint32_t>(bin % 75);
    const auto seconds = static_cast<std::uint32_t>((bin / 75) % 60);
    const auto minutes = static_cast<std::uint32_t>(std::min<std::int64_t>(bin / 75 / 60, 255));
    return CCueTime::FromMsf(minutes, seconds, frames);
}

std::int64_t CWaveformPanel::BinOfTime(const CCueTime& time)
{
    std::uint32_t m = 0, s = 0, f = 0;
    time.ToMsf(CCueTime::kFramesPerSecond, m, s, f);
    return (std::int64_t{m} * 60 + s) * 75 + f;
}

void CWaveformPanel::SetSourceFactory(PcmSourceFactory factory)
{
    // Another source may answer otherwise for a name refused before.
    m_refusedPath.clear();
    m_loader->SetSourceFactory(std::move(factory));
}
void CWaveformPanel::SetCacheFolder(const std::string& folder) { m_loader->SetCacheFolder(folder); }

void CWaveformPanel::ShowFile(const std::string& path)
{
    if (path == m_path) {
        ReloadIfChanged();
        return;
    }
    m_path = path;
    m_loadedPath.clear();
    m_loader->Cancel();
    m_progressTimer.stop();
    m_progress->hide();
    m_wave->SetPeaks(nullptr);
    m_wave->SetPlayPosition(-1);
    if (path.empty())
        m_status->setText(tr("No wave file"));
    else if (TooLong(path) && path == m_refusedPath)
        m_status->setText(m_refusedName);
    else
        m_status->setText(ts::ShownFileName(path));
    RefreshMarks();
    if (isVisible())
        StartLoad();
    emit PeaksChanged();
}

void CWaveformPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    StartLoad();
}

void CWaveformPanel::StartLoad()
{
    if (m_path.empty() || m_loadedPath == m_path)
        return;
    m_loadedPath = m_path;
    m_fromCache = false;
    if (TooLong(m_path)) {
        // No file has such a name, and none can appear under it.
        m_loadedSize = -1;
        m_loadedModified = -1;
        if (m_path == m_refusedPath) {
            m_status->setText(m_refusedText);
            return;
        }
    } else {
        const QFileInfo info(QString::fromStdString(m_path));
        m_loadedSize = info.exists() ? info.size() : -1;
        m_loadedModified = info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
    }
    m_progress->setValue(0);
    m_progress->show();
    m_progressTimer.start();
    m_loader->Load(m_path);
}

void CWaveformPanel::ReloadIfChanged()
{
    if (m_path.empty() || TooLong(m_path) || m_loadedPath != m_path)
        return;
    const QFileInfo info(QString::fromStdString(m_path));
    const qint64 size = info.exists() ? info.size() : -1;
    const qint64 modified = info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
    if (size == m_loadedSize && modified == m_loadedModified)
        return;
    m_loadedPath.clear();
    if (isVisible())
        StartLoad();
}

bool CWaveformPanel::IsLoading() const { return m_loader->IsBusy(); }

void CWaveformPanel::OnProgress()
{
    m_progress->setValue(m_loader->Permille());
}

void CWaveformPanel::OnLoaded(const QString& path, std::shared_ptr<const CPeaks> peaks, bool fromCache)
{
    if (path.toStdString() != m_path)
        return;
    m_progressTimer.stop();
    m_progress->hide();
    m_fromCache = fromCache;
    m_wave->SetPeaks(std::move(peaks));
    RefreshMarks();
    emit PeaksChanged();
}

void CWaveformPanel::OnFailed(const QString& path, const QString& reason)
{
    if (path.toStdString() != m_path)
        return;
    m_progressTimer.stop();
    m_progress->hide();
    const QString name = ts::ShownFileName(m_path);
    m_status->setText(tr("\"%1\" cannot be shown: %2").arg(name, reason));
    if (TooLong(m_path)) {
        m_refusedPath = m_path;
        m_refusedName = name;
        m_refusedText = m_status->text();
    }
    emit PeaksChanged();
}

void CWaveformPanel::SetPlayPosition(const CCueTime& position)
{
    m_wave->SetPlayPosition(position.Milliseconds() * 75.0 / 1000.0);
}

void CWaveformPanel::ZoomIn() { m_wave->ZoomIn(); }
void CWaveformPanel::ZoomOut() { m_wave->ZoomOut(); }
void CWaveformPanel::ZoomToFit() { m_wave->ZoomToFit(); }
bool CWaveformPanel::CanZoomIn() const { return m_wave->CanZoomIn(); }
bool CWaveformPanel::CanZoomOut() const { return m_wave->CanZoomOut(); }
void CWaveformPanel::SetSnap(bool on) { m_wave->SetSnap(on); }
bool CWaveformPanel::Snap() const { return m_wave->Snap(); }

void CWaveformPanel::OnViewChanged()
{
    emit ZoomChanged();
    const double perPixel = m_wave->BinsPerPixel();
    const auto shown = static_cast<std::int64_t>(std::ceil(m_wave->width() * perPixel));
    const std::int64_t last = std::max<std::int64_t>(0, m_wave->BinCount() - shown);
    m_syncingScroll = true;
    m_scroll->setRange(0, static_cast<int>(std::min<std::int64_t>(last, std::numeric_limits<int>::max())));
    m_scroll->setPageStep(static_cast<int>(std::max<std::int64_t>(1, shown)));
    m_scroll->setSingleStep(static_cast<int>(std::max(1.0, perPixel * 20)));
    m_scroll->setValue(static_cast<int>(std::lround(m_wave->FirstBin())));
    m_syncingScroll = false;
}

void CWaveformPanel::OnSilenceChanged()
{
    const double level = std::pow(10.0, m_level->value() / 20.0);
    m_wave->SetSilence(level, m_length->value());
}

bool CWaveformPanel::IsLive(const CCueItem* item) const
{
    return item && m_doc.LineOf(item) >= 0;
}

bool CWaveformPanel::TooLong(const std::string& path)
{
    return path.size() > ts::kLongestPath;
}

bool CWaveformPanel::Shows(const std::string& name) const
{
    // A name too long to be a path is its own path: compared, not copied.
    if (TooLong(name))
        return name == m_path;
    return CQuillView::ResolvePath(m_session, name) == m_path;
}

CCueFile* CWaveformPanel::ShownFile() const
{
    if (m_path.empty())
        return nullptr;
    // The current line's file first: two FILE lines may name one file.
    if (const CCueItem* current = m_session.CurrentItem()) {
        CCueFile* file = current->OwningFile();
        if (const CCueIndex* index = CQuillView::IndexOfInterest(current))
            file = index->OwningFile();
        if (file && Shows(file->Name()))
            return file;
    }
    for (int i = 0; i < m_doc.FileCount(); ++i) {
        if (Shows(m_doc.File(i)->Name()))
            return m_doc.File(i);
    }
    return nullptr;
}

void CWaveformPanel::RefreshMarks()
{
    ReloadIfChanged();
    std::vector<WaveMark> marks;
    std::vector<WaveSpan> spans;
    const CCueFile* file = ShownFile();
    if (!file) {
        m_wave->SetMarks({}, {});
        return;
    }
    const CCueIndex* current = CQuillView::IndexOfInterest(m_session.CurrentItem());
    const std::int64_t fileEnd = m_wave->BinCount() > 0 ? m_wave->BinCount() : BinOfTime(CCueTime::FromMsf(255, 0, 0));
    for (int k = 0; k < file->TrackCount(); ++k) {
        const CCueTrack* track = file->Track(k);
        CCueTime next;
        const bool hasNext = track->NextStart(next);
        const std::int64_t trackEnd = hasNext ? BinOfTime(next) : fileEnd;
        std::int64_t start = -1;
        std::int64_t zero = -1;
        for (int i = 0; i < track->IndexCount(); ++i) {
            CCueIndex* index = track->Index(i);
            WaveMark mark;
            mark.index = index;
            mark.bin = BinOfTime(index->Time());
            // Strictly between the neighbours: two marks on one frame would
            // leave their order to chance.
            mark.lower = i > 0 ? BinOfTime(track->Index(i - 1)->Time()) + 1
                               : (k > 0 ? BinOfTime(track->PreviousEnd()) + 1 : 0);
            mark.upper = i + 1 < track->IndexCount() ? BinOfTime(track->Index(i + 1)->Time()) - 1
                                                     : (hasNext ? BinOfTime(next) - 1 : fileEnd - 1);
            // The file's first track always starts at 00:00:00.
            mark.draggable = !(k == 0 && i == 0) && mark.lower <= mark.upper;
            mark.trackStart = index->Number() == 1;
            mark.current = index == current;
            const QString number = QStringLiteral("%1").arg(track->Number(), 2, 10, QLatin1Char('0'));
            if (mark.trackStart) {
                const QString title = TitleOf(*track, m_session.Codec());
                mark.label = title.isEmpty() ? number : number + QLatin1Char(' ') + title;
                start = mark.bin;
            } else {
                mark.label = number + QLatin1Char('.') + QStringLiteral("%1").arg(index->Number(), 2, 10, QLatin1Char('0'));
                if (index->Number() == 0)
                    zero = mark.bin;
            }
            marks.push_back(std::move(mark));
        }
        if (zero >= 0 && start > zero)
            spans.push_back({zero, start, QStringLiteral("pregap"), false});
        if (const CCuePregap* pregap = track->Pregap(); pregap && start >= 0) {
            spans.push_back({start, start, QStringLiteral("PREGAP ") + QString::fromStdString(pregap->Time().Text()), true});
        }
        if (const CCuePostgap* postgap = track->Postgap()) {
            spans.push_back({trackEnd, trackEnd, QStringLiteral("POSTGAP ") + QString::fromStdString(postgap->Time().Text()), true});
        }
    }
    m_wave->SetMarks(std::move(marks), std::move(spans));
}

void CWaveformPanel::OnDropped(int mark, std::int64_t bin)
{
    const auto& marks = m_wave->Marks();
    if (mark < 0 || static_cast<std::size_t>(mark) >= marks.size())
        return;
    CCueIndex* index = marks[static_cast<std::size_t>(mark)].index;
    if (!IsLive(index))
        return;
    const CCueTime time = TimeOfBin(bin);
    m_session.Apply([index, &time](CSheetEditor&) -> CCueItem* { return index->SetTime(time) ? index : nullptr; }, false);
}

void CWaveformPanel::OnActivated(int mark)
{
    const auto& marks = m_wave->Marks();
    if (mark < 0 || static_cast<std::size_t>(mark) >= marks.size())
        return;
    CCueIndex* index = marks[static_cast<std::size_t>(mark)].index;
    if (IsLive(index))
        m_session.SetCurrentItem(index);
}

void CWaveformPanel::OnContextMenu(std::int64_t bin, const QPoint& globalPos)
{
    m_menuBin = bin;
    const CCueFile* file = ShownFile();
    const bool sheet = file != nullptr && m_wave->Peaks() != nullptr;
    // Between a track's first and last index no track can start.
    bool inTrack = false;
    for (int k = 0; sheet && k < file->TrackCount(); ++k)
        inTrack = inTrack || file->Track(k)->WithinOwnRange(TimeOfBin(bin));
    m_insertIndex->setEnabled(sheet);
    m_insertTrack->setEnabled(sheet && !inTrack);
    m_menu->popup(globalPos);
}

void CWaveformPanel::SetContextActions(const QList<QAction*>& actions)
{
    // The frame's commands follow the panel's own items.
    m_menu->clear();
    m_menu->addAction(m_insertIndex);
    m_menu->addAction(m_insertTrack);
    if (!actions.isEmpty()) {
        m_menu->addSeparator();
        m_menu->addActions(actions);
    }
}

void CWaveformPanel::InsertAt(ItemKind kind, std::int64_t bin)
{
    CCueFile* file = ShownFile();
    if (!file || file->TrackCount() == 0)
        return;
    // The index at or before the time is where the insert happens; the
    // new item then takes its place in time order.
    const CCueTime time = TimeOfBin(bin);
    CCueItem* anchor = file->Track(0);
    for (int k = 0; k < file->TrackCount(); ++k) {
        CCueTrack* track = file->Track(k);
        for (int i = 0; i < track->IndexCount(); ++i) {
            if (CCueTime::Compare(track->Index(i)->Time(), time) <= 0)
                anchor = track->Index(i);
        }
    }
    m_session.Apply([kind, anchor, time](CSheetEditor& editor) { return editor.Insert(kind, anchor, time); });
}
