#include "picker/DirectoryTree.h"

#include "picker/PickerRules.h"

namespace {

// Tree images of the skin's strip.
constexpr int kOpenGroupImage = 0;
constexpr int kClosedGroupImage = 1;
constexpr int kPersonImage = 2;

}  // namespace

// The tree holds the companies and groups from the start, and a group's people from when
// it is first opened: a tree control's items cost time and memory to make and to destroy
// (in Wine, time in the square of their number), and a directory may have 100,000 people
// of whom a user opens a few groups. The outline and the user's own entries are made for
// everyone at once, in tree order, so moves and the chosen people do not depend on it.
void DirectoryTree::Fill(std::shared_ptr<const std::vector<Company>> directory, bool complete, OwnEntries& own,
                         std::vector<ContactEntry>& chosen) {
    companies = std::move(directory);
    if (!complete || !tree.Exists()) return;
    for (const Company& company : *companies) {
        const HTREEITEM node = tree.InsertItem(nullptr, company.name, kClosedGroupImage, 0);
        const size_t place = outline.BeginItem(node, 0, false);
        for (const ContactGroup& group : company.groups) InsertGroup(node, group, own, chosen);
        outline.EndItem(place);
    }
}

void DirectoryTree::Fill(std::shared_ptr<const std::vector<ContactGroup>> directory, bool complete, OwnEntries& own,
                         std::vector<ContactEntry>& chosen) {
    groups = std::move(directory);
    if (!complete || !tree.Exists()) return;
    for (const ContactGroup& group : *groups) InsertGroup(nullptr, group, own, chosen);
}

void DirectoryTree::Clear() {
    tree = TreeView();
    index.Clear();
    outline.Clear();
    pending.clear();
    companies.reset();
    groups.reset();
}

// The group's node, its people in the outline only, and its subgroups.
void DirectoryTree::InsertGroup(HTREEITEM parent, const ContactGroup& group, OwnEntries& own,
                                std::vector<ContactEntry>& chosen) {
    const HTREEITEM node = tree.InsertItem(parent, group.name, kClosedGroupImage, 0);
    const size_t place = outline.BeginItem(node, 0, false);
    if (!group.entries.empty() && node != nullptr) {
        pending.emplace(node, PendingPeople{&group, place + 1});
        tree.SetHasChildren(node);
    }
    for (const ContactEntry& entry : group.entries) {
        outline.BeginItem(nullptr, NumericId(entry), true);
        if (own.Take(entry)) chosen.push_back(entry);
    }
    for (const ContactGroup& subgroup : group.subgroups) InsertGroup(node, subgroup, own, chosen);
    outline.EndItem(place);
}

// A group opened for the first time gets its people, before its subgroups and in their
// order: each goes in at the front, the last first. Wine's tree control looks a new
// item's parent up by a scan of all its items, and the group nodes were made first.
LRESULT DirectoryTree::OnItemExpanding(const NMTREEVIEWA& change) {
    if ((change.action & TVE_EXPAND) == 0) return FALSE;
    const auto found = pending.find(change.itemNew.hItem);
    if (found == pending.end()) return FALSE;
    const PendingPeople people = found->second;
    pending.erase(found);
    const std::vector<ContactEntry>& entries = people.group->entries;
    for (size_t i = entries.size(); i-- > 0;) {
        const ContactEntry& entry = entries[i];
        const HTREEITEM item =
            tree.InsertItem(change.itemNew.hItem, std::string(entry.displayName()), kPersonImage, NumericId(entry), TVI_FIRST);
        outline.Attach(people.firstPlace + i, item);
    }
    return FALSE;
}

HTREEITEM DirectoryTree::ItemUnderCursor() const {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const RECT frame = tree.WindowRect();
    UINT flags = 0;
    const HTREEITEM item = tree.HitTest(POINT{cursor.x - frame.left, cursor.y - frame.top}, &flags);
    if (item != nullptr && (flags & TVHT_ONITEMBUTTON) != 0) return nullptr;
    return item;
}

void DirectoryTree::SwitchGroupUnderCursor(UINT closedAction, UINT openAction) const {
    const HTREEITEM item = ItemUnderCursor();
    if (item == nullptr) return;
    const int image = tree.GetImage(item);
    if (image == kClosedGroupImage) {
        tree.SetImage(item, kOpenGroupImage, kOpenGroupImage);
        tree.Expand(item, closedAction);
    } else if (image == kOpenGroupImage) {
        tree.Expand(item, openAction);
        tree.SetImage(item, kClosedGroupImage, kClosedGroupImage);
    }
}

void DirectoryTree::OnClick() const { SwitchGroupUnderCursor(TVE_EXPAND, TVE_COLLAPSE); }

void DirectoryTree::OnDoubleClick() const { SwitchGroupUnderCursor(TVE_COLLAPSE, TVE_EXPAND); }

const ContactEntry* DirectoryTree::FindEntry(int id) {
    if (!index.IsBuilt()) {
        if (companies != nullptr) index.Build(*companies);
        if (groups != nullptr) index.Build(*groups);
    }
    return index.Find(id);
}
