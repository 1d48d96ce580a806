#include "view/CQuillView.h"

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueRichWriter.h"
#include "model/CCueTrack.h"
#include "platform/CPrompts.h"
#include "res/CommandIds.h"
#include "view/CEditFileDlg.h"
#include "view/CItemEditor.h"
#include "view/CEncodingDlg.h"
#include "view/CRtfReader.h"
#include "view/CSheetCodec.h"
#include "view/CWaveCommands.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QFileInfo>
#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 10;       // pixels between the view's edge and the text
constexpr qreal kIndent = 24;     // the listing's left indent, 360 twips at 96 dpi

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

int BlockStart(const QTextDocument* doc, int line)
{
    const QTextBlock block = doc->findBlockByNumber(line);
    return block.isValid() ? block.position() : -1;
}

} // namespace

CQuillView::CQuillView(CQuillDoc& doc, CMainFrame& frame, QWidget* parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_frame(frame)
    , m_listing(new QTextEdit(this))
    , m_lastWaveTime(CCueTime::FromMsf(0, 0, 0))
    , m_editor(doc)
{
    // The messages of a read quote the sheet in its own character set.
    m_doc.SetEncodingListener([](const ts::SheetEncoding& encoding) { CSheetCodec::SetCurrent(encoding.charset); });
    // Inserted and dropped files are named in the sheet's character set.
    m_doc.SetNameEncoder([](const std::string& utf8, std::string& bytes) {
        return CSheetCodec::Current().Encode(QString::fromStdString(utf8), bytes);
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_listing);
    m_listing->setReadOnly(true);
    m_listing->setUndoRedoEnabled(false);
    m_listing->setLineWrapMode(QTextEdit::NoWrap);
    // The highlighted block is the line cursor; a blinking text caret at
    // its end would only distract.
    m_listing->setCursorWidth(0);
    m_listing->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_listing->document()->setIndentWidth(kIndent);
    m_listing->installEventFilter(this);
    m_listing->viewport()->installEventFilter(this);
    setFocusProxy(m_listing);
    MapEditCommands();
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
    };
    for (const InsertCommand& c : kInserts) {
        const ItemKind kind = c.kind;
        MapCommand(c.id,
                   [this, kind](int) {
                       ApplyChange([this, kind] { return m_editor.Insert(kind, CurrentItem(), m_frame.Player()); });
                   },
                   [this, kind](CCmdUI& ui) { ui.Enable(m_editor.CanInsert(kind, CurrentItem())); });
    }
    MapCommand(cmd::InsertFile, [this](int) { OnInsertFile(); });
    MapCommand(cmd::Truncate, [this](int) { CWaveCommands::Truncate(m_frame, *this); });
    MapCommand(cmd::WriteSilence, [this](int) { CWaveCommands::WriteSilence(m_frame, *this); });
    MapCommand(cmd::Edit, [this](int) { OnEdit(); }, [this](CCmdUI& ui) { ui.Enable(CurrentItem() != nullptr); });
    MapCommand(cmd::Delete,
               [this](int) {
                   const int line = CurrentLine();
                   CCueItem* item = CurrentItem();
                   ApplyChange([this, item, line] { return m_editor.Delete(item, line); });
               },
               [this](CCmdUI& ui) { ui.Enable(CSheetEditor::CanDelete(CurrentItem())); });
    MapCommand(cmd::Copy, [this](int) { OnCopy(); }, [this](CCmdUI& ui) { ui.Enable(!SelectionIsEmpty()); });
    MapCommand(cmd::Cut,
               [this](int) {
                   OnCopy();
                   const int line = CurrentLine();
                   CCueItem* item = CurrentItem();
                   ApplyChange([this, item, line] { return m_editor.Delete(item, line); });
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
    MapCommand(cmd::Undo, [this](int) { OnUndoRedo(true); }, [this](CCmdUI& ui) { ui.Enable(m_history.CanUndo()); });
    MapCommand(cmd::Redo, [this](int) { OnUndoRedo(false); }, [this](CCmdUI& ui) { ui.Enable(m_history.CanRedo()); });
}

bool CQuillView::ApplyChange(const std::function<CCueItem*()>& change, bool updateUnchanged)
{
    const unsigned long before = m_doc.ChangeCount();
    CUndoHistory::State state{m_doc.TakeSnapshot(), CurrentLine(), static_cast<std::size_t>(m_doc.LineCount())};
    CCueItem* hint = change();
    const bool changed = m_doc.ChangeCount() != before;
    if (changed)
        m_history.Record(std::move(state));
    if (changed || updateUnchanged)
        m_doc.UpdateAllViews(nullptr, hint);
    return changed;
}

void CQuillView::OnEdit()
{
    CCueItem* item = CurrentItem();
    if (!item)
        return;
    const int first = FirstVisibleLine();
    // The listing is rebuilt only when the dialog changed something, and
    // the edited line then stays where it was on screen.
    if (ApplyChange([this, item] { return CItemEditor::EditItem(this, *item, &m_frame) ? item : nullptr; }, false))
        SetFirstVisibleLine(first);
}

void CQuillView::OnUndoRedo(bool undo)
{
    CUndoHistory::State state{m_doc.TakeSnapshot(), CurrentLine(), static_cast<std::size_t>(m_doc.LineCount())};
    if (!(undo ? m_history.Undo(state) : m_history.Redo(state)))
        return;
    m_doc.RestoreSnapshot(state.snapshot);
    m_doc.UpdateAllViews(nullptr, m_doc.Line(std::min(state.line, m_doc.LineCount() - 1)));
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
    ApplyChange([this, &paths]() -> CCueItem* {
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
            CCueItem* added = m_editor.AddPath(path.toStdString(), hint, stop);
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
    QGuiApplication::clipboard()->setText(SelectedText());
}

void CQuillView::OnPaste()
{
    // Pasted text is stored in the sheet's character set, like typed text.
    const QString text = QGuiApplication::clipboard()->text();
    std::string bytes;
    if (!CSheetCodec::Current().Encode(text, bytes)) {
        ShowMessageBox("The Clipboard holds characters that the sheet's encoding, "
                           + CSheetCodec::Current().Charset() + ", cannot hold.",
                       "Paste", PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    ApplyChange([this, &bytes]() -> CCueItem* {
        CCueItem* current = CurrentItem();
        CCueItem* first = m_editor.Paste(bytes, current);
        return first ? first : current;
    });
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
    m_doc.SetCharset(dialog.Charset());
    m_doc.UpdateAllViews(nullptr, CurrentItem());
}

CQuillView::~CQuillView()
{
    m_doc.SetEncodingListener(nullptr);
    m_doc.SetNameEncoder(nullptr);
}

void CQuillView::OnUpdate(CView*, const void* hint)
{
    // A new or opened sheet starts a new history.
    if (m_doc.Generation() != m_generation) {
        m_generation = m_doc.Generation();
        m_history.Clear();
    }
    Unhighlight();
    FillListing();
    PlaceCaret(static_cast<const CCueItem*>(hint));
    Highlight();
}

void CQuillView::FillListing()
{
    CSheetCodec::SetCurrent(m_doc.Encoding().charset);
    CCueRichWriter writer;
    writer.WriteDocument(m_doc, m_rtf);
    CRtfReader::Read(m_rtf, *m_listing->document());
    m_listing->document()->setDocumentMargin(kMargin);
}

void CQuillView::PlaceCaret(const CCueItem* item)
{
    QTextDocument* doc = m_listing->document();
    int line = 0;
    if (!item)
        item = m_doc.Line(0);
    if (item) {
        line = m_doc.LineOf(item);
        if (line < 0)
            return;
    } else {
        line = doc->blockCount() - 1;
    }
    const int start = BlockStart(doc, line);
    if (start < 0)
        return;
    QTextCursor cursor(doc);
    cursor.setPosition(start);
    m_listing->setTextCursor(cursor);
}

CCueItem* CQuillView::CurrentItem() const
{
    return ItemOfLine(CurrentLine());
}

int CQuillView::CurrentLine() const
{
    const QTextCursor cursor = m_listing->textCursor();
    return m_listing->document()->findBlock(cursor.selectionStart()).blockNumber();
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
    return !m_listing->textCursor().hasSelection();
}

QString CQuillView::SelectedText() const
{
    // The selection is whole lines; Qt marks the breaks between them with
    // paragraph separators.
    QString text = m_listing->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

void CQuillView::SetBullet(int line, bool on)
{
    const QTextBlock block = m_listing->document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    if (on) {
        // The bullet sits in the indent, so the text does not move.
        format.setLeftMargin(0);
        cursor.setBlockFormat(format);
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        list.setIndent(1);
        cursor.createList(list);
    } else {
        if (QTextList* list = block.textList())
            list->remove(block);
        format = cursor.blockFormat();
        format.setIndent(0);
        format.setLeftMargin(kIndent);
        cursor.setBlockFormat(format);
    }
}

void CQuillView::Unhighlight()
{
    QTextDocument* doc = m_listing->document();
    const int line = CurrentLine();
    const int a = BlockStart(doc, line);
    const int b = BlockStart(doc, line + 1);
    if (a >= 0 && b >= 0)
        SetBullet(line, false);
    if (a >= 0) {
        QTextCursor cursor(doc);
        cursor.setPosition(a);
        m_listing->setTextCursor(cursor);
    }
}

void CQuillView::Highlight()
{
    CCueItem* item = CurrentItem();
    if (item) {
        const int first = FirstVisibleLine();
        const int line = CurrentLine();
        SetBullet(line, true);
        int end = line + 1;
        for (; end < LineCount(); ++end) {
            const CCueItem* next = ItemOfLine(end);
            const bool belongs = (item->Kind() == ItemKind::File && next->OwningFile() == item)
                || (item->Kind() == ItemKind::Track && next->OwningTrack() == item);
            if (!belongs)
                break;
        }
        QTextDocument* doc = m_listing->document();
        QTextCursor cursor(doc);
        cursor.setPosition(BlockStart(doc, line));
        const int stop = BlockStart(doc, end);
        cursor.setPosition(stop >= 0 ? stop : doc->characterCount() - 1, QTextCursor::KeepAnchor);
        m_listing->setTextCursor(cursor);
        SetFirstVisibleLine(first);
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
    if (name.empty())
        return name;
    // The name is in the sheet's character set; paths are UTF-8, or for a
    // UTF-8 sheet whatever bytes the name has.
    const CSheetCodec& codec = CSheetCodec::Current();
    const QString path = codec.IsUtf8() ? QString::fromStdString(name) : codec.Decode(name);
    if (QFileInfo(path).isAbsolute())
        return codec.IsUtf8() ? name : path.toStdString();
    const QString folder = m_doc.PathName().empty()
        ? QDir::currentPath()
        : QFileInfo(QString::fromStdString(m_doc.PathName())).absolutePath();
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

int CQuillView::FirstVisibleLine() const
{
    return m_listing->cursorForPosition(QPoint(0, 0)).blockNumber();
}

void CQuillView::SetFirstVisibleLine(int line)
{
    const QTextBlock block = m_listing->document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    const qreal top = m_listing->document()->documentLayout()->blockBoundingRect(block).top();
    m_listing->verticalScrollBar()->setValue(static_cast<int>(top));
}

void CQuillView::PostEdit()
{
    QMetaObject::invokeMethod(&m_frame, [this] { m_frame.ExecuteCommand(cmd::Edit); }, Qt::QueuedConnection);
}

bool CQuillView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_listing && FilterKey(event))
        return true;
    if (watched == m_listing->viewport() && FilterMouse(event))
        return true;
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
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)
            return true;
        if (IsCursorKey(key->key())) {
            if (key->modifiers() & Qt::ShiftModifier)
                return true;
            Unhighlight();
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

bool CQuillView::FilterMouse(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const int first = FirstVisibleLine();
            Unhighlight();
            SetFirstVisibleLine(first);
            return false;
        }
        if (mouse->button() == Qt::RightButton) {
            // A right click first moves the caret as a left click does.
            QMouseEvent press(QEvent::MouseButtonPress, mouse->position(), mouse->globalPosition(), Qt::LeftButton,
                              Qt::LeftButton, mouse->modifiers());
            QCoreApplication::sendEvent(m_listing->viewport(), &press);
            QMouseEvent release(QEvent::MouseButtonRelease, mouse->position(), mouse->globalPosition(),
                                Qt::LeftButton, Qt::NoButton, mouse->modifiers());
            QCoreApplication::sendEvent(m_listing->viewport(), &release);
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            // The press has already put the caret at the click.
            Highlight();
            return false;
        }
        if (mouse->button() == Qt::RightButton) {
            m_frame.ContextMenu()->popup(QCursor::pos());
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            PostEdit();
            return true;
        }
        return false;
    case QEvent::ContextMenu:
        // The right release shows the menu; the menu key shows it at the caret.
        if (static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
            const QRect caret = m_listing->cursorRect();
            m_frame.ContextMenu()->popup(m_listing->viewport()->mapToGlobal(caret.bottomLeft()));
        }
        return true;
    default:
        return false;
    }
}

void CQuillView::DropFiles(const QStringList& paths)
{
    if (paths.size() == 1 && paths.front().endsWith(QLatin1String(".cue"), Qt::CaseInsensitive))
        m_frame.App().OpenFile(paths.front());
    else if (!paths.isEmpty())
        AddPaths(paths);
}
