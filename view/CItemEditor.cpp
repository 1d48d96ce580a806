#include "view/CItemEditor.h"

#include "document/CEditSession.h"
#include "document/CUtf8Codec.h"
#include "model/CCueCatalog.h"
#include "platform/FileUtil.h"
#include "model/CCueCdText.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"
#include "view/CEditCatalogDlg.h"
#include "view/CEditCdTextDlg.h"
#include "view/CEditCommentDlg.h"
#include "view/CEditFileDlg.h"
#include "view/CEditFlagsDlg.h"
#include "view/CEditGapDlg.h"
#include "view/CEditIndexDlg.h"
#include "view/CEditIsrcDlg.h"
#include "view/CEditTrackDlg.h"
#include "view/IViewFrame.h"

#include <type_traits>

namespace {

// Load, run, and store on OK.
template <typename Dialog, typename Item>
bool Run(QWidget* parent, CCueItem& item, const CEditSession* session)
{
    auto* typed = dynamic_cast<Item*>(&item);
    if (!typed)
        return false;
    Dialog dialog(parent, session ? session->Codec() : CUtf8Codec::Instance());
    if constexpr (std::is_same_v<Dialog, CEditFileDlg>) {
        if (session)
            dialog.SetSheetFolder(ts::FolderOf(session->Doc().PathName()));
    }
    dialog.Load(*typed);
    return dialog.exec() == QDialog::Accepted && dialog.Store(*typed);
}

} // namespace

bool CItemEditor::EditItem(QWidget* parent, CCueItem& item, IViewFrame* frame, const CEditSession* session)
{
    WaveLink wave;
    if (frame) {
        wave.player = frame->Player();
        wave.position = frame->PositionControl();
        wave.reconnect = [frame] { frame->ReconnectPositionCallback(); };
    }
    return EditItem(parent, item, wave, session);
}

bool CItemEditor::EditItem(QWidget* parent, CCueItem& item, const WaveLink& wave, const CEditSession* session)
{
    switch (item.Kind()) {
    case ItemKind::File: return Run<CEditFileDlg, CCueFile>(parent, item, session);
    case ItemKind::Track: return Run<CEditTrackDlg, CCueTrack>(parent, item, session);
    case ItemKind::Pregap: return Run<CEditGapDlg, CCuePregap>(parent, item, session);
    case ItemKind::Postgap: return Run<CEditGapDlg, CCuePostgap>(parent, item, session);
    case ItemKind::Comment: return Run<CEditCommentDlg, CCueComment>(parent, item, session);
    case ItemKind::Catalog: return Run<CEditCatalogDlg, CCueCatalog>(parent, item, session);
    case ItemKind::Isrc: return Run<CEditIsrcDlg, CCueIsrc>(parent, item, session);
    case ItemKind::Flags: return Run<CEditFlagsDlg, CCueFlags>(parent, item, session);
    case ItemKind::Index: {
        auto* index = dynamic_cast<CCueIndex*>(&item);
        if (!index)
            return false;
        CEditIndexDlg dialog(*index, wave.player, wave.position, wave.reconnect, parent,
                             session ? session->Codec() : CUtf8Codec::Instance());
        return dialog.exec() == QDialog::Accepted && dialog.Store();
    }
    case ItemKind::CdText: return Run<CEditCdTextDlg, CCueCdText>(parent, item, session);
    case ItemKind::Unknown: // kept as read; it can only be deleted
    case ItemKind::None: break;
    }
    return false;
}
