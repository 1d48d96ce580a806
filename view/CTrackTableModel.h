#pragma once

#include "album/CTrackTable.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

class CCueTrack;
class CEditSession;

// The rows of the track table: one for each track of the edit session's
// sheet. The names, the ISRC and the start are edited in place, each edit
// (and each pasted column) one undo step of the session; what would not
// read back as typed is refused with a message.
class CTrackTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTrackTableModel)

public:
    CTrackTableModel(CEditSession& session, QObject* parent);
    ~CTrackTableModel() override;

    // Computes the rows from the sheet again; only rows whose text changed
    // are reported, unless tracks came or went.
    void Refresh();
    void SetAudioLength(CTrackTable::AudioLength audioLength) { m_audioLength = std::move(audioLength); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stores a typed cell as one undo step; refuses (with a message) what
    // Problem finds wrong.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Why text cannot go into the cell; empty when it can.
    QString Problem(const QModelIndex& index, const QString& text) const;
    // Fills a column from row on down, one line a track, as one undo step.
    // Refuses the whole paste with a message when a line cannot go in or
    // there are more lines than tracks.
    bool PasteColumn(int row, int column, const QStringList& lines);

    const CCueTrack* TrackOfRow(int row) const;
    int RowOfTrack(const CCueTrack* track) const;

    static const char* const kCaption;

private:
    QString Text(const std::string& bytes) const;
    std::string Bytes(const QString& text) const;
    // A typed cell as the sheet stores it.
    std::string Stored(int column, const QString& text) const;
    bool Store(CCueTrack& track, int column, const std::string& value) const;
    std::optional<std::uint64_t> AudioFrames(const CCueTrack& track) const;

    CEditSession& m_session;
    CTrackTable::AudioLength m_audioLength;
    std::vector<CTrackTable::Row> m_rows;
};
