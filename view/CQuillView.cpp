#include "view/CQuillView.h"

#include "audio/IWavePlayer.h"
#include "document/CCueMessageBox.h"
#include "document/CEditSession.h"
#include "document/CEmbeddedSheet.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueRichWriter.h"
#include "model/CCueTrack.h"
#include "model/TextEncoding.h"
#include "platform/CCmdUI.h"
#include "platform/CPrompts.h"
#include "platform/FileUtil.h"
#include "res/CommandIds.h"
#include "view/CEditFileDlg.h"
#include "view/CImageCommands.h"
#include "view/CItemEditor.h"
#include "view/CEncodingDlg.h"
#include "view/CListingEdit.h"
#include "view/CSheetCodec.h"
#include "view/CWaveCommands.h"

#include <algorithm>
#include <optional>

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QFileInfo>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 10; // pixels between the view's edge and the text

bool IsCursorKey(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

// The virtual keys Page Up through Down, Left and Right included.
bool IsNavigationKey(int key)
{
    return IsCursorKey(key) || key == Qt::Key_Left || key == Qt::Key_Right;
}

// A line's bytes as shown: in the sheet's character set; for UTF-8, as
// UTF-8 when the line is valid UTF-8, else as Windows-1252.
QString ShownText(const ISheetCodec& codec, std::string_view bytes, bool utf8)
{
    if (!codec.IsUtf8())
        return CSheetCodec::TextOf(codec, bytes);
    if (utf8)
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        const char32_t u = ts::Windows1252ToUnicode(static_cast<unsigned char>(c));
        text += QChar(static_cast<char16_t>(u));
    }
    return text;
}

} // namespace

CQuillView::CQuillView(CEditSession& session, IViewFrame& frame, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_doc(session.Doc())
    , m_frame(frame)
    , m_lines(session.Doc())
    , m_listing(new CListingEdit(kMargin, this))
    , m_lastWaveTime(CCueTime::FromMsf(0, 0, 0))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_listing);
    m_listing->SetLines(&m_lines, [this](std::string_view bytes, bool utf8) {
        return ShownText(m_session.Codec(), bytes, utf8);
    });
    // The mouse and the keys are the view's own (see FilterMouse and
    // FilterKey).
    m_listing->installEventFilter(this);
    m_listing->viewport()->installEventFilter(this);
    connect(m_listing->verticalScrollBar(), &QScrollBar::valueChanged, this, &CQuillView::SnapToLine);
    setFocusProxy(m_listing);
    MapEditCommands();
    m_session.AddView(*this);
}

void CQuillView::MapEditCommands()
{
    struct InsertCommand {
        int id;
        ItemKind kind;
    };
    static constexpr InsertCommand kInserts[] = {
        {cmd::InsertTrack, ItemKind::Track},     {cmd::InsertIndex, ItemKind::Index},
        {cmd::InsertPregap, ItemKind::Pregap},   {cmd::InsertPostgap, ItemKind::Postgap},
        {cmd::InsertIsrc, ItemKind::Isrc},       {cmd::InsertFlags, ItemKind::Flags},
        {cmd::InsertCatalog, ItemKind::Catalog}, {cmd::InsertComment, ItemKind::Comment},
        {cmd::InsertCdText, ItemKind::CdText},
    };
    for (const InsertCommand& c : kInserts) {
        const ItemKind kind = c.kind;
        MapCommand(c.id,
                   [this, kind](int) {
                       // Tracks and indexes go in at the play position.
                       std::optional<CCueTime> at;
                       if (const IWavePlayer* player = m_frame.Player())
                           at = player->GetPosition();
                       m_session.Apply([this, kind, at](CSheetEditor& editor) {
                           return editor.Insert(kind, CurrentItem(), at);
                       });
                   },
                   [this, kind](CCmdUI& ui) { ui.Enable(m_session.Editor().CanInsert(kind, CurrentItem())); });
    }
    MapCommand(cmd::InsertFile, [this](int) { OnInsertFile(); });
    MapCommand(cmd::Truncate, [this](int) { CWaveCommands::Truncate(m_frame, *this); });
    MapCommand(cmd::WriteSilence, [this](int) { CWaveCommands::WriteSilence(m_frame, *this); });
    // A line kept as it was read has no dialog; it can only be deleted.
    MapCommand(cmd::Edit, [this](int) { OnEdit(); },
               [this](CCmdUI& ui) { ui.Enable(CurrentItem() && CurrentItem()->Kind() != ItemKind::Unknown); });
    MapCommand(cmd::Delete,
               [this](int) {
                   const int line = CurrentLine();
                   CCueItem* item = CurrentItem();
                   m_session.Apply([item, line](CSheetEditor& editor) { return editor.Delete(item, line); });
               },
               [this](CCmdUI& ui) { ui.Enable(CSheetEditor::CanDelete(CurrentItem())); });
    MapCommand(cmd::Copy, [this](int) { OnCopy(); }, [this](CCmdUI& ui) { ui.Enable(!SelectionIsEmpty()); });
    MapCommand(cmd::Cut,
               [this](int) {
                   OnCopy();
                   const int line = CurrentLine();
                   CCueItem* item = CurrentItem();
                   m_session.Apply([item, line](CSheetEditor& editor) { return editor.Delete(item, line); });
               },
               [this](CCmdUI& ui) { ui.Enable(!SelectionIsEmpty() && CSheetEditor::CanDelete(CurrentItem())); });
    // Asking the clipboard's owner for its formats can take a round trip
    // to another program; the answer is kept until the clipboard changes,
    // rather than asked at every refresh of the command states.
    auto readClipboard = [this] {
        const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
        m_clipboardHasText = clip && clip->hasText();
    };
    readClipboard();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, readClipboard);
    MapCommand(cmd::Paste, [this](int) { OnPaste(); }, [this](CCmdUI& ui) { ui.Enable(m_clipboardHasText); });
    // Only 8-bit text has a character set to choose; wide text is Unicode.
    MapCommand(cmd::ViewEncoding, [this](int) { OnEncoding(); },
               [this](CCmdUI& ui) { ui.Enable(m_doc.Encoding().form == ts::FileForm::Bytes); });
    MapCommand(cmd::Undo, [this](int) { OnUndoRedo(true); }, [this](CCmdUI& ui) { ui.Enable(History().CanUndo()); });
    MapCommand(cmd::Redo, [this](int) { OnUndoRedo(false); }, [this](CCmdUI& ui) { ui.Enable(History().CanRedo()); });
    MapCommand(cmd::ConvertGaps, [this](int) { m_session.Apply([this](CSheetEditor&) { return CImageCommands::ConvertGaps(this, m_doc); }); },
               [this](CCmdUI& ui) { ui.Enable(CImageCommands::CanConvertGaps(m_doc)); });
}

const CUndoHistory& CQuillView::History() const
{
    return m_session.History();
}

void CQuillView::OnEdit()
{
    CCueItem* item = CurrentItem();
    if (!item)
        return;
    // The listing is rebuilt only when the dialog changed something; the
    // update keeps the first visible line, so the edited line stays on its
    // row.
    m_session.Apply(
        [this, item](CSheetEditor&) { return CItemEditor::EditItem(this, *item, &m_frame, &m_session) ? item : nullptr; },
        false);
}

void CQuillView::OnUndoRedo(bool undo)
{
    if (undo)
        m_session.Undo();
    else
        m_session.Redo();
}

void CQuillView::OnInsertFile()
{
    const std::string folder = m_doc.PathName().empty()
        ? std::string()
        : QFileInfo(QString::fromStdString(m_doc.PathName())).absolutePath().toStdString();
    const std::optional<std::string> path = CPrompts::Current().AskOpenFile(CEditFileDlg::BrowseRequest(folder));
    if (path)
        AddPaths({QString::fromStdString(*path)});
}

void CQuillView::AddPaths(const QStringList& paths)
{
    m_session.Apply([this, &paths](CSheetEditor& editor) -> CCueItem* {
        CCueItem* hint = CurrentItem();
        for (qsizetype i = paths.size() - 1; i >= 0; --i) {
            const QString& path = paths[i];
            const QFileInfo info(path);
            if (info.isDir() || !info.isReadable()) {
                // A folder or a file nobody can read is no FILE for a disc.
                ShowMessageBox("\"" + path.toStdString() + "\" was not added: "
                                   + (info.isDir() ? "it is a folder." : "it cannot be read."),
                               "Tracksmith", PromptButtons::Ok, PromptIcon::Warning, true);
                continue;
            }
            bool stop = false;
            CCueItem* added = editor.AddPath(path.toStdString(), hint, stop);
            if (stop)
                break;
            // The next file goes in front of this one; after a skipped file,
            // in front of the first line's.
            hint = added ? added : m_doc.Line(0);
        }
        return hint;
    });
}

void CQuillView::OnCopy()
{
    // The lines as plain text, and as the listing's rich text beside it.
    const int first = m_listing->HighlightFirst();
    const int end = m_listing->HighlightEnd();
    std::string rtf(CCueRichWriter::kHeader);
    CCueRichWriter writer;
    for (int line = std::max(first, 0); line < end; ++line)
        if (const CCueItem* item = m_lines.Item(line))
            writer.WriteLine(*item, m_lines.Depth(line), rtf);
    rtf += CCueRichWriter::kTrailer;
    auto* mime = new QMimeData;
    mime->setText(SelectedText());
    const QByteArray bytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
    mime->setData(QStringLiteral("text/rtf"), bytes);
    mime->setData(QStringLiteral("application/rtf"), bytes);
    QGuiApplication::clipboard()->setMimeData(mime);
}

void CQuillView::OnPaste()
{
    // Pasted text is stored in the sheet's character set, like typed text.
    const QString text = QGuiApplication::clipboard()->text();
    std::string bytes;
    const ISheetCodec& codec = m_session.Codec();
    if (!CSheetCodec::BytesOf(codec, text, bytes)) {
        ShowMessageBox("The Clipboard holds characters that the sheet's encoding, " + codec.Charset() + ", cannot hold.",
                       "Paste", PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    CueReadResult read;
    m_session.Apply([this, &bytes, &read](CSheetEditor& editor) -> CCueItem* {
        CCueItem* current = CurrentItem();
        read = editor.Paste(bytes, current);
        return read.first ? read.first : current;
    });
    CCueMessageBox::Show(read);
}

void CQuillView::OnEncoding()
{
    // The sample: the first line that is not plain ASCII.
    std::string sample;
    const std::string text = m_doc.SheetText();
    for (std::size_t at = 0; at < text.size() && sample.empty();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line(text.data() + at, end - at);
        if (std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            sample.assign(line.substr(line.find_first_not_of(' ')));
        at = end + 1;
    }
    CEncodingDlg dialog(m_doc.Encoding().charset, sample, this);
    if (dialog.exec() != QDialog::Accepted || dialog.Charset().empty() || dialog.Charset() == m_doc.Encoding().charset)
        return;
    m_session.SetCharset(dialog.Charset());
}

CQuillView::~CQuillView()
{
    m_session.RemoveView(*this);
}

void CQuillView::OnSheetChanged(const SheetChange& change)
{
    // A new or opened sheet shows its top; any other update keeps the
    // listing where it stands.
    const bool fresh = change.fresh;
    const int first = fresh ? 0 : FirstVisibleLine();
    const int column = m_listing->horizontalScrollBar()->value();
    Unhighlight();
    m_lines.Invalidate();
    if (fresh)
        m_lines.MeasureAll();
    m_listing->LinesChanged();
    Highlight();
    SetFirstVisibleLine(first);
    m_listing->horizontalScrollBar()->setValue(fresh ? 0 : column);
    ScrollIntoView(CurrentLine());
}

void CQuillView::OnCurrentChanged()
{
    Unhighlight();
    Highlight();
}

void CQuillView::SetCaretLine(int line)
{
    m_session.SetCurrentLine(line, this);
}

void CQuillView::SetCurrentItem(const CCueItem* item)
{
    m_session.SetCurrentItem(item);
}

CCueItem* CQuillView::CurrentItem() const
{
    return ItemOfLine(CurrentLine());
}

int CQuillView::CurrentLine() const
{
    return m_session.CurrentLine();
}

int CQuillView::LineCount() const
{
    return m_doc.LineCount();
}

CCueItem* CQuillView::ItemOfLine(int line) const
{
    return m_doc.Line(line);
}

bool CQuillView::SelectionIsEmpty() const
{
    return m_listing->HighlightFirst() < 0;
}

QString CQuillView::SelectedText() const
{
    // The selection is whole lines, each with its line break.
    QString text;
    for (int line = std::max(m_listing->HighlightFirst(), 0); line < m_listing->HighlightEnd(); ++line) {
        text += LineText(line);
        text += QLatin1Char('\n');
    }
    return text;
}

QString CQuillView::LineText(int line) const
{
    return m_listing->LineText(line);
}

void CQuillView::Unhighlight()
{
    m_listing->SetHighlight(-1, -1);
}

int CQuillView::BlockEnd(int line) const
{
    const CCueItem* item = ItemOfLine(line);
    int end = line + 1;
    if (!item || (item->Kind() != ItemKind::File && item->Kind() != ItemKind::Track))
        return end;
    for (; end < LineCount(); ++end) {
        const CCueItem* next = ItemOfLine(end);
        const bool belongs = (item->Kind() == ItemKind::File && next->OwningFile() == item)
            || (item->Kind() == ItemKind::Track && next->OwningTrack() == item);
        if (!belongs)
            break;
    }
    return end;
}

void CQuillView::Highlight()
{
    CCueItem* item = CurrentItem();
    if (item) {
        const int line = CurrentLine();
        m_listing->SetHighlight(line, BlockEnd(line));
    }
    WaveSync(item);
    emit CurrentLineChanged();
}

const CCueIndex* CQuillView::IndexOfInterest(const CCueItem* item)
{
    if (!item)
        return nullptr;
    auto firstIndexOf = [](const CCueTrack* track) { return track ? track->Index(0) : nullptr; };
    switch (item->Kind()) {
    case ItemKind::File:
        return firstIndexOf(static_cast<const CCueFile*>(item)->Track(0));
    case ItemKind::Track:
        return firstIndexOf(static_cast<const CCueTrack*>(item));
    case ItemKind::Index:
        return static_cast<const CCueIndex*>(item);
    default:
        if (const CCueTrack* track = item->OwningTrack())
            return firstIndexOf(track);
        if (const CCueFile* file = item->OwningFile())
            return firstIndexOf(file->Track(0));
        return nullptr;
    }
}

std::string CQuillView::ResolvePath(const std::string& name) const
{
    return ResolvePath(m_session, name);
}

std::string CQuillView::ResolvePath(const CEditSession& session, const std::string& name)
{
    // A name too long to be a path is kept as it is, so that opening it
    // fails with its reason, instead of being converted and cleaned on
    // every move of the cursor.
    if (name.empty() || name.size() > ts::kLongestPath)
        return name;
    // The name is in the sheet's character set; paths are UTF-8, or for a
    // UTF-8 sheet whatever bytes the name has.
    const ISheetCodec& codec = session.Codec();
    const QString path = codec.IsUtf8() ? QString::fromStdString(name) : CSheetCodec::TextOf(codec, name);
    if (QFileInfo(path).isAbsolute())
        return codec.IsUtf8() ? name : path.toStdString();
    const std::string& sheet = session.Doc().PathName();
    const QString folder = sheet.empty() ? QDir::currentPath() : QFileInfo(QString::fromStdString(sheet)).absolutePath();
    return QDir::cleanPath(QDir(folder).filePath(path)).toStdString();
}

void CQuillView::WaveSync(const CCueItem* item)
{
    std::string name;
    CCueTime time = CCueTime::FromMsf(0, 0, 0);
    if (const CCueIndex* index = IndexOfInterest(item)) {
        const CCueFile* file = index->OwningFile();
        name = file ? ResolvePath(file->Name()) : std::string();
        time = index->Time();
    }
    if (name == m_lastWaveName && CCueTime::Compare(time, m_lastWaveTime) == 0)
        return;
    m_frame.ShowWave(name, time);
    m_lastWaveName = name;
    m_lastWaveTime = time;
}

QSize CQuillView::SizeForLines(int lines) const
{
    const int frame = 2 * m_listing->frameWidth() + 2 * kMargin;
    const int height = lines * m_listing->RowHeight() + frame + m_listing->horizontalScrollBar()->sizeHint().height();
    // Room for the longest usual line: a FILE line with a long name.
    const int width = 72 * m_listing->CharWidth() + m_listing->Indent() + frame
        + m_listing->verticalScrollBar()->sizeHint().width();
    return {width, height};
}

int CQuillView::LineTop(int line) const
{
    return line * m_listing->RowHeight();
}

int CQuillView::LineBottom(int line) const
{
    return (line + 1) * m_listing->RowHeight();
}

int CQuillView::LineAtOrBelow(int y) const
{
    // The first line whose top is at y or below it.
    const int height = m_listing->RowHeight();
    const int line = y <= 0 ? 0 : (y + height - 1) / height;
    return std::min(line, m_listing->RowCount() - 1);
}

int CQuillView::FirstVisibleLine() const
{
    // The first line shown whole: a line cut at the top edge (the end of
    // the scroll range) is not the first visible one.
    return LineAtOrBelow(m_listing->verticalScrollBar()->value());
}

void CQuillView::SetFirstVisibleLine(int line)
{
    QScrollBar* vbar = m_listing->verticalScrollBar();
    vbar->setValue(std::min(LineTop(std::max(line, 0)), vbar->maximum()));
}

void CQuillView::ScrollIntoView(int line)
{
    const QScrollBar* vbar = m_listing->verticalScrollBar();
    if (line < FirstVisibleLine()) {
        SetFirstVisibleLine(line);
        return;
    }
    // A listing not laid out yet (no room for one whole line) is shown from
    // where it stands once it has its size.
    const int height = m_listing->viewport()->height();
    if (height < m_listing->RowHeight())
        return;
    const int overhang = LineBottom(line) - (vbar->value() + height);
    if (overhang > 0)
        SetFirstVisibleLine(LineAtOrBelow(LineBottom(line) - height));
}

void CQuillView::SnapToLine(int value)
{
    // The listing scrolls by whole lines, whatever scrolled it (wheel, bar,
    // keys), so its first visible line is always a whole one: towards the
    // next line when scrolling down, the previous one when scrolling up.
    // The end of the range stays reachable.
    QScrollBar* vbar = m_listing->verticalScrollBar();
    if (m_snapping)
        return;
    int target = value;
    if (value > 0 && value < vbar->maximum()) {
        const int line = LineAtOrBelow(value);
        const int top = LineTop(line);
        if (top != value)
            target = value > m_lastScroll || line == 0 ? top : LineTop(line - 1);
        target = std::min(target, vbar->maximum());
    }
    if (target != value) {
        m_snapping = true;
        vbar->setValue(target);
        m_snapping = false;
    }
    m_lastScroll = vbar->value();
}

int CQuillView::LineAtPoint(QPoint viewportPos) const
{
    // A point in the margin counts as the nearest point of the text.
    const QRect area = m_listing->viewport()->rect();
    const int y = std::clamp(viewportPos.y(), area.top(), area.bottom());
    return std::clamp(m_listing->RowAtY(y), 0, m_listing->RowCount() - 1);
}

int CQuillView::PageLines() const
{
    const int first = FirstVisibleLine();
    const int bottom = m_listing->verticalScrollBar()->value() + m_listing->viewport()->height();
    const int lines = std::min(bottom / m_listing->RowHeight() - first, m_listing->RowCount() - first);
    return std::max(lines, 1);
}

void CQuillView::MoveCaret(int key, Qt::KeyboardModifiers modifiers)
{
    const int last = m_listing->RowCount() - 1;
    const int line = CurrentLine();
    const bool control = modifiers & Qt::ControlModifier;
    int target = line;
    switch (key) {
    case Qt::Key_Up: target = line - 1; break;
    case Qt::Key_Down: target = line + 1; break;
    case Qt::Key_Home: target = control ? 0 : line; break;
    // Ctrl+End goes to the sheet's last line, not to the empty line after
    // it, where nothing is current.
    case Qt::Key_End: target = control ? std::min(last, std::max(m_doc.LineCount() - 1, 0)) : line; break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        // A page moves the listing and the caret alike, so the caret keeps
        // its row where the sheet allows.
        const int page = key == Qt::Key_PageUp ? -PageLines() : PageLines();
        SetFirstVisibleLine(FirstVisibleLine() + page);
        target = line + page;
        break;
    }
    default: break;
    }
    SetCaretLine(std::clamp(target, 0, last));
    ScrollIntoView(CurrentLine());
}

QPoint CQuillView::CaretMenuPoint() const
{
    const QRect row = m_listing->LineRect(CurrentLine());
    return m_listing->viewport()->mapToGlobal(QPoint(row.left() + m_listing->Indent(), row.bottom()));
}

void CQuillView::ShowContextMenu(const QPoint& globalPos)
{
    m_frame.ContextMenu()->popup(globalPos);
}

void CQuillView::PostEdit()
{
    QMetaObject::invokeMethod(m_frame.Window(), [this] { m_frame.ExecuteCommand(cmd::Edit); }, Qt::QueuedConnection);
}

bool CQuillView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_listing || watched == m_listing->viewport()) {
        if (FilterKey(event) || FilterMouse(watched, event))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool CQuillView::FilterKey(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            PostEdit();
            return true;
        }
        // The menu key and Shift+F10 open the view's context menu at the caret.
        if (key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            ShowContextMenu(CaretMenuPoint());
            return true;
        }
        // The highlight is the current item's block, never a selection of
        // the user's.
        if (key->matches(QKeySequence::SelectAll))
            return true;
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)
            return true;
        if (IsCursorKey(key->key())) {
            if (key->modifiers() & Qt::ShiftModifier)
                return true;
            Unhighlight();
            MoveCaret(key->key(), key->modifiers());
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsNavigationKey(key->key()) && !key->isAutoRepeat())
            Highlight();
        return false;
    }
    return false;
}

bool CQuillView::FilterMouse(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Every press puts the caret on the line under the pointer, with no
        // selection of text and without moving the listing; the control
        // itself never sees the mouse.
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = m_listing->viewport()->mapFrom(static_cast<QWidget*>(watched), mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton) {
            m_listing->setFocus(Qt::MouseFocusReason);
            const int line = LineAtPoint(at);
            if (line != CurrentLine() || event->type() == QEvent::MouseButtonPress) {
                Unhighlight();
                SetCaretLine(line);
                Highlight();
            }
            if (event->type() == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton)
                PostEdit();
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            ShowContextMenu(mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseMove:
        return true;
    case QEvent::ContextMenu:
        // The right release shows the menu; the menu key shows it at the
        // caret. The control's own text menu never shows.
        if (static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Mouse) {
            ShowContextMenu(CaretMenuPoint());
        }
        return true;
    default:
        return false;
    }
}


void CQuillView::DropFiles(const QStringList& paths)
{
    if (paths.size() == 1
        && (paths.front().endsWith(QLatin1String(".cue"), Qt::CaseInsensitive)
            || CEmbeddedSheet::CarriesSheet(paths.front().toStdString())))
        m_frame.OpenSheet(paths.front());
    else if (!paths.isEmpty())
        AddPaths(paths);
}
