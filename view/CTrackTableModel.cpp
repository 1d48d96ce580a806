#include "view/CTrackTableModel.h"

#include "document/CEditSession.h"
#include "model/CCueTrack.h"
#include "platform/CPrompts.h"
#include "view/CSheetCodec.h"
#include "view/DialogText.h"

const char* const CTrackTableModel::kCaption = "Tracks";

CTrackTableModel::CTrackTableModel(CEditSession& session, QObject* parent)
    : QAbstractTableModel(parent)
    , m_session(session)
{
}

CTrackTableModel::~CTrackTableModel() = default;

void CTrackTableModel::Refresh()
{
    std::vector<CTrackTable::Row> rows = CTrackTable::Rows(m_session.Doc(), m_audioLength);
    if (rows.size() != m_rows.size()) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
        return;
    }
    // The rows keep their places: only the ones whose text changed repaint.
    int first = -1;
    for (std::size_t i = 0; i <= rows.size(); ++i) {
        const bool changed = i < rows.size() && !(rows[i] == m_rows[i]);
        if (i < rows.size())
            m_rows[i] = std::move(rows[i]);
        if (changed && first < 0)
            first = static_cast<int>(i);
        if (!changed && first >= 0) {
            Q_EMIT dataChanged(index(first, 0), index(static_cast<int>(i) - 1, CTrackTable::ColumnCount - 1));
            first = -1;
        }
    }
}

int CTrackTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CTrackTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : CTrackTable::ColumnCount;
}

QVariant CTrackTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const CTrackTable::Row& row = m_rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        if (index.column() == CTrackTable::Number)
            return QString::asprintf("%.2d", row.number);
        return Text(row.Cell(index.column()));
    }
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case CTrackTable::Number:
        case CTrackTable::Start:
        case CTrackTable::Gap:
        case CTrackTable::Length:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
        }
    }
    return {};
}

QVariant CTrackTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case CTrackTable::Number:
        return tr("No.");
    case CTrackTable::File:
        return tr("File");
    case CTrackTable::Start:
        return tr("Start");
    case CTrackTable::Gap:
        return tr("Gap");
    case CTrackTable::Length:
        return tr("Length");
    case CTrackTable::Performer:
        return tr("Performer");
    case CTrackTable::Title:
        return tr("Title");
    case CTrackTable::Songwriter:
        return tr("Songwriter");
    case CTrackTable::Isrc:
        return tr("ISRC");
    default:
        return {};
    }
}

Qt::ItemFlags CTrackTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && CTrackTable::IsEditable(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QString CTrackTableModel::Text(const std::string& bytes) const
{
    return CSheetCodec::TextOf(m_session.Codec(), bytes);
}

std::string CTrackTableModel::Bytes(const QString& text) const
{
    return ts::ItemBytes(m_session.Codec(), text);
}

std::string CTrackTableModel::Stored(int column, const QString& text) const
{
    if (column == CTrackTable::Isrc)
        return CTrackTable::IsrcOf(Bytes(text));
    if (column == CTrackTable::Start)
        return text.trimmed().toStdString();
    return Bytes(text.trimmed());
}

std::optional<std::uint64_t> CTrackTableModel::AudioFrames(const CCueTrack& track) const
{
    if (!m_audioLength || !track.File())
        return std::nullopt;
    return m_audioLength(*track.File());
}

QString CTrackTableModel::Problem(const QModelIndex& index, const QString& typed) const
{
    const CCueTrack* track = TrackOfRow(index.row());
    if (!track || !CTrackTable::IsEditable(index.column()))
        return {};
    const QString text = ts::OneLine(typed).trimmed();
    std::string bytes;
    const int column = index.column();
    if (column == CTrackTable::Start) {
        const std::string problem = CTrackTable::StartProblem(*track, text.toStdString(), AudioFrames(*track));
        if (problem.empty())
            return {};
        return tr("%1 is not a valid start: %2.").arg(text, QString::fromStdString(problem));
    }
    const QString name = headerData(column, Qt::Horizontal).toString();
    if (!CSheetCodec::BytesOf(m_session.Codec(), text, bytes))
        return tr("The %1 holds characters that the sheet's encoding, %2, cannot hold.")
            .arg(name, QString::fromStdString(m_session.Codec().Charset()));
    const std::string problem = column == CTrackTable::Isrc ? CTrackTable::IsrcProblem(CTrackTable::IsrcOf(bytes))
                                                            : CTrackTable::TextProblem(bytes);
    if (problem.empty())
        return {};
    return tr("The %1\n%2\ncannot be written in a cue sheet: %3.").arg(name, text, QString::fromStdString(problem));
}

bool CTrackTableModel::Store(CCueTrack& track, int column, const std::string& value) const
{
    switch (column) {
    case CTrackTable::Start:
        return CTrackTable::SetStart(track, CCueTime::Parse(value));
    case CTrackTable::Isrc:
        return CTrackTable::SetIsrc(track, value);
    default:
        return CTrackTable::SetTrackText(track, CTrackTable::KeywordOf(column), value);
    }
}

bool CTrackTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !CTrackTable::IsEditable(index.column()))
        return false;
    const QString text = value.toString();
    const QString problem = Problem(index, text);
    if (!problem.isEmpty()) {
        ShowMessageBox(problem.toStdString(), kCaption, PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    const int column = index.column();
    const std::string stored = Stored(column, text);
    if (stored == m_rows[static_cast<std::size_t>(index.row())].Cell(column))
        return true;
    auto* track = const_cast<CCueTrack*>(TrackOfRow(index.row()));
    return m_session.Apply([&](CSheetEditor&) -> CCueItem* {
        Store(*track, column, stored);
        return track;
    }, false);
}

bool CTrackTableModel::PasteColumn(int row, int column, const QStringList& lines)
{
    if (!CTrackTable::IsEditable(column) || row < 0 || row >= rowCount() || lines.isEmpty())
        return false;
    if (row + lines.size() > rowCount()) {
        ShowMessageBox(tr("The clipboard holds %1 lines, but only %2 tracks follow from track %3: nothing was pasted.")
                           .arg(lines.size())
                           .arg(rowCount() - row)
                           .arg(m_rows[static_cast<std::size_t>(row)].number)
                           .toStdString(),
                       kCaption, PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString problem = Problem(index(row + static_cast<int>(i), column), lines[i]);
        if (!problem.isEmpty()) {
            ShowMessageBox(tr("Line %1: %2\nNothing was pasted.").arg(i + 1).arg(problem).toStdString(), kCaption,
                           PromptButtons::Ok, PromptIcon::Error);
            return false;
        }
    }
    // The tracks are taken before the first change: new starts re-sort them.
    std::vector<std::pair<CCueTrack*, std::string>> edits;
    for (qsizetype i = 0; i < lines.size(); ++i)
        edits.emplace_back(const_cast<CCueTrack*>(TrackOfRow(row + static_cast<int>(i))), Stored(column, lines[i]));
    CCueTrack* first = edits.front().first;
    return m_session.Apply([&](CSheetEditor&) -> CCueItem* {
        m_session.Doc().BeginBatchMode();
        for (const auto& [track, value] : edits)
            Store(*track, column, value);
        m_session.Doc().EndBatchMode();
        return first;
    }, false);
}

const CCueTrack* CTrackTableModel::TrackOfRow(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows[static_cast<std::size_t>(row)].track : nullptr;
}

int CTrackTableModel::RowOfTrack(const CCueTrack* track) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].track == track)
            return static_cast<int>(i);
    }
    return -1;
}
