#include "view/CListeningMarks.h"

#include <QFileInfo>

#include "album/CTrackTable.h"
#include "audio/IWavePlayer.h"
#include "document/CEditSession.h"
#include "model/CCueFile.h"
#include "model/CCueTrack.h"
#include "view/CQuillView.h"

namespace {

bool SamePath(const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    const QString left = QFileInfo(QString::fromStdString(a)).canonicalFilePath();
    return !left.isEmpty() && left == QFileInfo(QString::fromStdString(b)).canonicalFilePath();
}

} // namespace

bool CListeningMarks::Mark(CEditSession& session, const IWavePlayer& player, int reactionMs, std::string& reason)
{
    CQuillDoc& doc = session.Doc();
    std::string name;
    for (int i = 0; i < doc.FileCount() && name.empty(); ++i) {
        if (SamePath(CQuillView::ResolvePath(session, doc.File(i)->Name()), player.Path()))
            name = doc.File(i)->Name();
    }
    if (name.empty()) {
        reason = "\"" + player.Path() + "\" is not a FILE of the sheet";
        return false;
    }
    const std::uint32_t heard = player.GetPosition().Milliseconds();
    const std::uint32_t back = reactionMs > 0 ? static_cast<std::uint32_t>(reactionMs) : 0;
    // Whole frames, never rounded up past what was heard.
    const std::uint64_t frames = std::uint64_t{heard > back ? heard - back : 0} * 75 / 1000;
    const CCueTime at = CCueTime::FromMsf(static_cast<std::uint32_t>(frames / 75 / 60),
                                          static_cast<std::uint32_t>(frames / 75 % 60),
                                          static_cast<std::uint32_t>(frames % 75));
    // The line the cursor is on stays current, so the listing sends the
    // player nowhere (a track above it moves it one line down).
    CCueItem* current = session.CurrentItem();
    bool added = false;
    session.Apply([&](CSheetEditor&) -> CCueItem* {
        for (int i = 0; i < doc.FileCount(); ++i) {
            if (doc.File(i)->Name() == name) {
                added = CTrackTable::AddMark(*doc.File(i), at, reason) != nullptr;
                break;
            }
        }
        return current;
    }, false);
    return added;
}
