#pragma once
// One tab's tree: the company directory or the friends list, with the records it was
// filled from. Groups open and close on a click; a group's people are made when it is
// first opened; a move takes everyone at or under the selected item.
#include <memory>
#include <unordered_map>
#include <vector>

#include "directory/Company.h"
#include "directory/ContactGroup.h"
#include "framework/TreeView.h"
#include "picker/DirectoryIndex.h"
#include "picker/OwnEntries.h"
#include "picker/TreeOutline.h"

class DirectoryTree {
public:
    void Attach(const TreeView& view) { tree = view; }
    [[nodiscard]] const TreeView& View() const { return tree; }

    // A node per company, its groups under it. The user's own entries, met in tree
    // order, go to `chosen`; `complete`: the file was read whole, else the tree stays empty.
    void Fill(std::shared_ptr<const std::vector<Company>> directory, bool complete, OwnEntries& own,
              std::vector<ContactEntry>& chosen);
    // A top-level node per group.
    void Fill(std::shared_ptr<const std::vector<ContactGroup>> directory, bool complete, OwnEntries& own,
              std::vector<ContactEntry>& chosen);
    // Lets go of the window and the records.
    void Clear();

    // A click on a closed group opens it with the open picture; on an open one closes it.
    void OnClick() const;
    // The tree's own double-click toggle follows and flips the expansion again, so the
    // picture is set against the expansion here, to match it after the toggle.
    void OnDoubleClick() const;
    LRESULT OnItemExpanding(const NMTREEVIEWA& change);

    // The identifiers of everyone at or under the selected item, in tree order.
    template <class Visit>
    void ForEachSelectedPerson(Visit visit) const {
        const HTREEITEM item = tree.GetSelection();
        if (item != nullptr) outline.ForEachPerson(item, visit);
    }
    // The first person with the identifier in this tab's directory, depth first.
    [[nodiscard]] const ContactEntry* FindEntry(int id);

private:
    // A group whose people are not in the tree yet, and where the outline has them.
    struct PendingPeople {
        const ContactGroup* group;
        size_t firstPlace;
    };

    void InsertGroup(HTREEITEM parent, const ContactGroup& group, OwnEntries& own, std::vector<ContactEntry>& chosen);
    [[nodiscard]] HTREEITEM ItemUnderCursor() const;
    // Sets the group under the cursor to `closedAction` and the open picture when it is
    // closed, to `openAction` and the closed picture when it is open.
    void SwitchGroupUnderCursor(UINT closedAction, UINT openAction) const;

    TreeView tree;
    // One of the two is the directory shown; the index and the outline point into it.
    std::shared_ptr<const std::vector<Company>> companies;
    std::shared_ptr<const std::vector<ContactGroup>> groups;
    TreeOutline outline;
    std::unordered_map<HTREEITEM, PendingPeople> pending;  // groups not opened yet
    DirectoryIndex index;                                   // built on the first move
};
