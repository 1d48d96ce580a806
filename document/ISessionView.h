#pragma once

// What a view of an edit session hears. Every view (the listing, the
// waveform panel, any later one) shows the session's sheet and its current
// item, and edits only through the session; the session tells each view of
// what changed, so no view needs to know another.
//
// The calls come synchronously, after the change is complete: the tree is
// laid out again, the undo history holds the step, and the session's
// current item is already the one the change chose. A view may read the
// session freely during a call, and may set the current item, but must not
// apply a change from inside one.
class ISessionView
{
public:
    struct SheetChange {
        // A sheet was made or opened in place of the last one: the undo
        // history starts empty and a view shows the sheet from its top.
        // Otherwise the sheet was edited, undone, redone or shown in another
        // character set, and a view keeps what it shows where it stands.
        bool fresh = false;
    };

    virtual ~ISessionView() = default;

    // The sheet's tree changed (or is new); the current item may have too.
    virtual void OnSheetChanged(const SheetChange& change) = 0;
    // The current item moved to another line; the tree is as it was.
    virtual void OnCurrentChanged() = 0;

protected:
    ISessionView() = default;
    ISessionView(const ISessionView&) = default;
    ISessionView& operator=(const ISessionView&) = default;
};
