#pragma once

#include "model/CueTypes.h"
#include "model/ICueChangeSink.h"

#include <memory>

class CCueFile;
class CCueItem;
class CCueTrack;

// Where a new item of some kind may go relative to an anchor item.
struct CuePlacement {
    bool allowed = false;
    CCueItem* anchor = nullptr; // insert before this; null appends
    CCueFile* file = nullptr;
    CCueTrack* track = nullptr;
};

// The sheet as the reader and the writers see it: its top-level items and
// files, where new items may go, and batches of changes with one relayout
// at the end. The document implements it.
class ICueSheet : public ICueChangeSink
{
public:
    ~ICueSheet() override;

    virtual int TopLevelCount() const = 0;
    virtual CCueItem* TopLevelItem(int i) const = 0;
    virtual CCueFile* File(int i) const = 0;
    virtual int PositionOfFile(const CCueFile* file) const = 0;
    virtual bool HasCatalog() const = 0;

    virtual void InsertTopLevel(std::unique_ptr<CCueItem> item, CCueItem* before) = 0;
    virtual CuePlacement PlacementQuery(ItemKind kind, CCueItem* anchor) const = 0;
    virtual void BeginBatchMode() = 0;
    virtual void EndBatchMode() = 0;

protected:
    ICueSheet() = default;
    ICueSheet(const ICueSheet&) = default;
    ICueSheet& operator=(const ICueSheet&) = default;
};
