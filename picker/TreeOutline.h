#pragma once
// The shape of a filled tree, kept beside it: its items in tree order, depth first with
// a group's people before its subgroups, so the items under any item are the run that
// follows it. A person is recorded before the tree has an item for them (people are made
// when their group is first opened), so a move can walk this instead of the tree.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include <unordered_map>
#include <vector>

class TreeOutline {
public:
    // Records an item just inserted; returns its place, to be closed by EndItem once
    // everything under it has been recorded.
    size_t BeginItem(HTREEITEM item, int id, bool person);
    void EndItem(size_t place);
    // The item at `place`, recorded without one, now has one.
    void Attach(size_t place, HTREEITEM item);
    void Clear();

    // Calls `visit(id)` for each person at or under `item`, in tree order.
    template <class Visit>
    void ForEachPerson(HTREEITEM item, Visit visit) const {
        const auto found = places_.find(item);
        if (found == places_.end()) return;
        const size_t end = items_[found->second].end;
        for (size_t i = found->second; i < end; ++i)
            if (items_[i].person) visit(items_[i].id);
    }

private:
    struct Item {
        int id;
        bool person;
        size_t end;  // one past the last item under this one
    };
    std::vector<Item> items_;
    std::unordered_map<HTREEITEM, size_t> places_;
};
