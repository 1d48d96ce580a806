#pragma once

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

protected:
    ICueChangeSink() = default;
    ICueChangeSink(const ICueChangeSink&) = default;
    ICueChangeSink& operator=(const ICueChangeSink&) = default;
};
