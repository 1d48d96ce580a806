#pragma once

class CCueItem;

// What an item tells when it changed: the open sheet implements it (the
// document marks itself modified and runs relayout). Items hold it as a
// plain non-owning pointer; null for items outside any sheet.
class ICueChangeSink
{
public:
    virtual ~ICueChangeSink();

    // modified: the sheet is (or, with false, is no longer) modified;
    // relayout: tracks and indexes must be sorted and numbered again.
    virtual void ChangeHook(bool modified, bool relayout) = 0;
    // The item's own value, its children or their order are about to
    // change; told before the change is made, also for the reordering and
    // flags that relayout sets. The open sheet's undo history shares the
    // items that never changed, so it copies an item here, while it still
    // holds what the history saw. Does nothing unless overridden.
    virtual void ItemChanging(const CCueItem& item);

protected:
    ICueChangeSink() = default;
    ICueChangeSink(const ICueChangeSink&) = default;
    ICueChangeSink& operator=(const ICueChangeSink&) = default;
};
