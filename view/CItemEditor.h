#pragma once

#include <functional>

class CCueItem;
class CEditSession;
class IViewFrame;
class CWavePos;
class IWavePlayer;
class QWidget;

// The Edit command's dialogs: opens the dialog that fits the item's kind,
// runs it modally and, on OK, sets what the user changed.
class CItemEditor final
{
public:
    // What the Edit Index dialog borrows while it is open; each part may be
    // missing.
    struct WaveLink {
        IWavePlayer* player = nullptr;
        CWavePos* position = nullptr;
        // Makes the frame the player's position listener again.
        std::function<void()> reconnect;
    };

    CItemEditor() = delete;

    // Returns whether the tree changed; the caller then updates the views
    // with the item as the hint. frame may be null (no player then). The
    // session gives the sheet's character set and folder; without one the
    // texts are UTF-8 and the sheet has no folder.
    static bool EditItem(QWidget* parent, CCueItem& item, IViewFrame* frame, const CEditSession* session = nullptr);
    static bool EditItem(QWidget* parent, CCueItem& item, const WaveLink& wave,
                         const CEditSession* session = nullptr);
};
