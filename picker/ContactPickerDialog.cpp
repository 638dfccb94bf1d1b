#include "picker/ContactPickerDialog.h"

#include "directory/DirectoryReader.h"
#include "directory/HostFiles.h"
#include "framework/TabControl.h"
#include "picker/OwnEntries.h"
#include "picker/PickerRules.h"
#include "picker/PickerTexts.h"
#include "res/resource.h"
#include "skin/SkinImages.h"
#include "skinmm/SkinMM.h"
#include "text/MessageTable.h"

namespace {

// Tree images of the skin's strip.
constexpr int kOpenGroupImage = 0;
constexpr int kClosedGroupImage = 1;
constexpr int kPersonImage = 2;

constexpr DWORD kChosenListStyles = LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT;

}  // namespace

const MessageMap<ContactPickerDialog> ContactPickerDialog::messageMap = {
    OnCommand(IDC_MOVE, BN_CLICKED, &ContactPickerDialog::OnMoveClicked),
    OnCommand(IDC_ADD_TYPED, BN_CLICKED, &ContactPickerDialog::OnAddClicked),
    OnCommand(IDC_REMOVE_CHOSEN, BN_CLICKED, &ContactPickerDialog::OnRemoveClicked),
    OnMessage(WM_CLOSE, &ContactPickerDialog::OnClose),
    OnMessage(WM_SIZE, &ContactPickerDialog::OnSize),
    OnMessage(WM_DESTROY, &ContactPickerDialog::OnDestroy),
    OnNotify(IDC_PICKER_TABS, TCN_SELCHANGE, &ContactPickerDialog::OnTabSelChange),
    OnNotify(IDC_FRIENDS_TREE, NM_DBLCLK, &ContactPickerDialog::OnFriendsTreeDblClk),
    OnNotify(IDC_COMPANY_TREE, NM_DBLCLK, &ContactPickerDialog::OnCompanyTreeDblClk),
    OnNotify(IDC_FRIENDS_TREE, NM_CLICK, &ContactPickerDialog::OnTreeClick),
    OnNotify(IDC_COMPANY_TREE, NM_CLICK, &ContactPickerDialog::OnTreeClick),
    OnCommand(IDC_PICKER_NAME, EN_CHANGE, &ContactPickerDialog::OnNameChange),
    OnCommand(IDC_TYPED_NUMBER, EN_CHANGE, &ContactPickerDialog::OnNumberChange),
    OnMessage(WM_MOVE, &ContactPickerDialog::OnMove),
    OnNotify(IDC_CHOSEN_LIST, LVN_GETDISPINFOA, &ContactPickerDialog::OnChosenDisplayInfo),
    OnNotify(IDC_CHOSEN_LIST, LVN_ODFINDITEMA, &ContactPickerDialog::OnChosenFindRow),
    OnNotify(IDC_COMPANY_TREE, TVN_ITEMEXPANDINGA, &ContactPickerDialog::OnTreeItemExpanding),
    OnNotify(IDC_FRIENDS_TREE, TVN_ITEMEXPANDINGA, &ContactPickerDialog::OnTreeItemExpanding),
};

ContactPickerDialog::ContactPickerDialog(std::string userId)
    : Dialog(IDD_CONTACT_PICKER), userId(std::move(userId)) {}

ContactPickerDialog::~ContactPickerDialog() = default;

bool ContactPickerDialog::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return messageMap.Dispatch(*this, message, wParam, lParam, result);
}

void ContactPickerDialog::FindControls() {
    companyTree = Item<TreeView>(IDC_COMPANY_TREE);
    friendsTree = Item<TreeView>(IDC_FRIENDS_TREE);
    tabs = Item<TabControl>(IDC_PICKER_TABS);
    chosenList = Item<ListView>(IDC_CHOSEN_LIST);
}

// ---- Dialog frame ----

BOOL ContactPickerDialog::OnInitDialog() {
    FindControls();
    ApplyTexts();
    InitControls();
    LayoutControls();
    FillTrees();
    suggestions.Attach(Handle(), {Item(IDC_PICKER_NAME).Handle(), Item(IDC_TYPED_NUMBER).Handle()}, *companies,
                       *friendGroups, [this](const ContactEntry& entry, bool friends) {
                           RowBatch batch(*this);
                           MovePerson(NumericId(entry), friends);
                       });
    chosenIds.Rebuild(chosenEntries);
    ShowChosenRows();
    return TRUE;
}

void ContactPickerDialog::ApplyTexts() {
    AsWindow().SetText(GetMessageText(10601));
    Item(IDC_PICKER_NAME_LABEL).SetText(GetMessageText(10604));
    Item(IDC_PICKER_NUMBER_LABEL).SetText(GetMessageText(10605));
    Item(IDC_ADD_TYPED).SetText(GetMessageText(10606));
    Item(IDOK).SetText(GetMessageText(1));
    Item(IDC_REMOVE_CHOSEN).SetText(GetMessageText(10609));
}

void ContactPickerDialog::InitControls() {
    tabs.InsertItem(0, GetMessageText(10602));
    tabs.InsertItem(1, GetMessageText(10603));
    tabs.SetCurSel(0);

    companyTree.Show(true);
    friendsTree.Show(false);
    // Borrowed from the skin: the trees never destroy it.
    HIMAGELIST images = GetSkinImages().treeImages.Get();
    companyTree.SetImageList(images, TVSIL_NORMAL);
    friendsTree.SetImageList(images, TVSIL_NORMAL);
    // The trees draw themselves; the skin would paint over their items.
    skinmmRemoveCtrl(companyTree.Handle());
    skinmmRemoveCtrl(friendsTree.Handle());

    chosenList.AddExtendedStyle(kChosenListStyles);
    chosenList.InsertColumn(0, GetMessageText(10607), kCentredColumn, 70);
    chosenList.InsertColumn(1, GetMessageText(10608), kCentredColumn, 100);
    chosenList.InsertColumn(2, GetMessageText(10416), kCentredColumn, 100);
}

void ContactPickerDialog::LayoutControls() {
    // Sizing messages come before the controls exist.
    if (!chosenList.Exists()) return;
    const PickerLayout layout = ComputePickerLayout(AsWindow().ClientRect());
    for (const PickerLayout::Placement& p : layout.placements) {
        Item(p.id).Move(p.x, p.y, p.width, p.height);
        if (p.id != IDC_PICKER_TABS) continue;
        RECT display = layout.tabs;
        tabs.AdjustRect(false, &display);
        for (const TreeView& tree : {companyTree, friendsTree})
            tree.Move(display.left, display.top, display.right - display.left, display.bottom - display.top);
    }
}

void ContactPickerDialog::OnSize() {
    Default();
    LayoutControls();
}

void ContactPickerDialog::OnClose() {
    // The dialog manager turns it into IDCANCEL.
    Default();
}

void ContactPickerDialog::OnDestroy() {
    Default();
    // The chosen people outlive the window; the directory copies do not.
    suggestions.Detach();
    companyIndex.Clear();
    friendsIndex.Clear();
    companyOutline.Clear();
    friendsOutline.Clear();
    companyPending.clear();
    friendsPending.clear();
    companies = std::make_shared<const std::vector<Company>>();
    friendGroups = std::make_shared<const std::vector<ContactGroup>>();
    companyTree = TreeView();
    friendsTree = TreeView();
    tabs = TabControl();
    chosenList = ListView();
}

LRESULT ContactPickerDialog::OnTabSelChange(const NMHDR&) {
    const int selected = tabs.GetCurSel();
    if (selected < 0) return 0;
    companyTree.Show(selected == 0);
    friendsTree.Show(selected != 0);
    return 0;
}

// ---- Directory trees ----

// The trees hold the companies and groups from the start, and a group's people from when
// it is first opened: a tree control's items cost time and memory to make and to destroy
// (in Wine, time in the square of their number), and a directory may have 100,000 people
// of whom a user opens a few groups. The outline and the user's own entries are made for
// everyone at once, in tree order, so moves and the chosen people do not depend on it.
void ContactPickerDialog::FillTrees() {
    OwnEntries own(userId, chosenEntries);
    bool complete = false;
    companies = GetDirectoryReader().SharedDepartments(HostDepartmentsFile(), &complete);
    if (complete && companyTree.Exists()) {
        for (const Company& company : *companies) {
            const HTREEITEM node = InsertTreeItem(companyTree, nullptr, company.name, 0, kClosedGroupImage);
            const size_t place = companyOutline.BeginItem(node, 0, false);
            for (const ContactGroup& group : company.groups) InsertGroup(companyTree, node, group, own);
            companyOutline.EndItem(place);
        }
    }
    friendGroups = GetDirectoryReader().SharedFriends(HostFriendsFile(), &complete);
    if (complete && friendsTree.Exists()) {
        for (const ContactGroup& group : *friendGroups) InsertGroup(friendsTree, nullptr, group, own);
    }
}

HTREEITEM ContactPickerDialog::InsertTreeItem(const TreeView& tree, HTREEITEM parent, const std::string& text,
                                              LPARAM data, int image, HTREEITEM after) {
    if (tree.Handle() == nullptr) return nullptr;
    return tree.InsertItem(parent, text, image, data, after);
}

// The group's node, its people in the outline only, and its subgroups.
void ContactPickerDialog::InsertGroup(const TreeView& tree, HTREEITEM parent, const ContactGroup& group,
                                      OwnEntries& own) {
    TreeOutline& outline = OutlineOf(tree);
    const HTREEITEM node = InsertTreeItem(tree, parent, group.name, 0, kClosedGroupImage);
    const size_t place = outline.BeginItem(node, 0, false);
    if (!group.entries.empty() && node != nullptr) {
        PendingPeopleOf(tree).emplace(node, PendingPeople{&group, place + 1});
        tree.SetHasChildren(node);
    }
    for (const ContactEntry& entry : group.entries) {
        outline.BeginItem(nullptr, NumericId(entry), true);
        if (own.Take(entry)) chosenEntries.push_back(entry);
    }
    for (const ContactGroup& subgroup : group.subgroups) InsertGroup(tree, node, subgroup, own);
    outline.EndItem(place);
}

// A group opened for the first time gets its people, before its subgroups and in their
// order: each goes in at the front, the last first. Wine's tree control looks a new
// item's parent up by a scan of all its items, and the group nodes were made first.
LRESULT ContactPickerDialog::OnTreeItemExpanding(const NMTREEVIEWA& change) {
    if ((change.action & TVE_EXPAND) == 0) return FALSE;
    const TreeView tree = change.hdr.hwndFrom == friendsTree.Handle() ? friendsTree : companyTree;
    auto& pending = PendingPeopleOf(tree);
    const auto found = pending.find(change.itemNew.hItem);
    if (found == pending.end()) return FALSE;
    const PendingPeople people = found->second;
    pending.erase(found);
    TreeOutline& outline = OutlineOf(tree);
    const std::vector<ContactEntry>& entries = people.group->entries;
    for (size_t i = entries.size(); i-- > 0;) {
        const ContactEntry& entry = entries[i];
        const HTREEITEM item =
            InsertTreeItem(tree, change.itemNew.hItem, std::string(entry.displayName()), NumericId(entry),
                           kPersonImage, TVI_FIRST);
        outline.Attach(people.firstPlace + i, item);
    }
    return FALSE;
}

std::unordered_map<HTREEITEM, ContactPickerDialog::PendingPeople>& ContactPickerDialog::PendingPeopleOf(
    const TreeView& tree) {
    return tree.Handle() == friendsTree.Handle() ? friendsPending : companyPending;
}

TreeOutline& ContactPickerDialog::OutlineOf(const TreeView& tree) {
    return tree.Handle() == friendsTree.Handle() ? friendsOutline : companyOutline;
}

TreeView ContactPickerDialog::CurrentTree() const { return IsFriendsTab() ? friendsTree : companyTree; }

bool ContactPickerDialog::IsFriendsTab() const { return tabs.GetCurSel() == 1; }

HTREEITEM ContactPickerDialog::ItemUnderCursor(const TreeView& tree) const {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const RECT frame = tree.WindowRect();
    UINT flags = 0;
    const HTREEITEM item = tree.HitTest(POINT{cursor.x - frame.left, cursor.y - frame.top}, &flags);
    if (item != nullptr && (flags & TVHT_ONITEMBUTTON) != 0) return nullptr;
    return item;
}

// For the group under the cursor in the current tree: a closed one (image 1) gets the
// open image and `closedAction`, an open one gets `openAction` and the closed image;
// `actionFirst` swaps the order of the two steps when closed, and when open back again.
// A person, or no item, changes nothing.
void ContactPickerDialog::SwitchGroupUnderCursor(UINT closedAction, UINT openAction, bool actionFirst) {
    const TreeView tree = CurrentTree();
    const HTREEITEM item = ItemUnderCursor(tree);
    if (item == nullptr) return;
    const int image = tree.GetImage(item);
    if (image == kClosedGroupImage) {
        if (actionFirst) tree.Expand(item, closedAction);
        tree.SetImage(item, kOpenGroupImage, kOpenGroupImage);
        if (!actionFirst) tree.Expand(item, closedAction);
    } else if (image == kOpenGroupImage) {
        if (!actionFirst) tree.Expand(item, openAction);
        tree.SetImage(item, kClosedGroupImage, kClosedGroupImage);
        if (actionFirst) tree.Expand(item, openAction);
    }
}

LRESULT ContactPickerDialog::OnTreeClick(const NMHDR&) {
    SwitchGroupUnderCursor(TVE_EXPAND, TVE_COLLAPSE, false);
    return 0;
}

// The click handler has run first and set the image to match the new expansion; the
// tree's own double-click toggle then flips the expansion, so the image is flipped
// here, against the expansion, to match it again after the toggle.
LRESULT ContactPickerDialog::OnCompanyTreeDblClk(const NMHDR&) {
    SwitchGroupUnderCursor(TVE_COLLAPSE, TVE_EXPAND, false);
    return 0;
}

LRESULT ContactPickerDialog::OnFriendsTreeDblClk(const NMHDR&) {
    SwitchGroupUnderCursor(TVE_COLLAPSE, TVE_EXPAND, true);
    return 0;
}

void ContactPickerDialog::OnMoveClicked() {
    const TreeView tree = CurrentTree();
    RowBatch batch(*this);
    MoveItem(tree, tree.GetSelection());
}

// Everyone at or under the item, in tree order (a group's people before its subgroups'),
// each looked up in the directory of the selected tab. A company or group with nobody
// in it is not a person and adds nobody.
void ContactPickerDialog::MoveItem(const TreeView& tree, HTREEITEM item) {
    if (item == nullptr) return;
    const bool friendsTab = IsFriendsTab();
    OutlineOf(tree).ForEachPerson(item, [&](int id) { MovePerson(id, friendsTab); });
}

// One person, looked up in the directory of the given tab, unless already chosen.
void ContactPickerDialog::MovePerson(int id, bool friendsTab) {
    if (IsChosenId(id)) return;
    if (const ContactEntry* entry = FindEntryById(id, friendsTab)) {
        AppendChosen(*entry);
    }
}

bool ContactPickerDialog::IsChosenId(int id) const { return chosenIds.Contains(id); }

// The first person with the identifier in depth-first order of the tab's directory.
const ContactEntry* ContactPickerDialog::FindEntryById(int id, bool friendsTab) {
    if (friendsTab) {
        if (!friendsIndex.IsBuilt()) friendsIndex.Build(*friendGroups);
        return friendsIndex.Find(id);
    }
    if (!companyIndex.IsBuilt()) companyIndex.Build(*companies);
    return companyIndex.Find(id);
}

// ---- Chosen list and manual entry ----

ContactPickerDialog::RowBatch::RowBatch(ContactPickerDialog& picker) : picker_(picker) { ++picker_.rowBatchDepth; }

ContactPickerDialog::RowBatch::~RowBatch() {
    if (--picker_.rowBatchDepth == 0) picker_.ShowChosenRows();
}

void ContactPickerDialog::ShowChosenRows() {
    if (!chosenList.Exists()) return;
    if (chosenList.SetRowCount(static_cast<int>(chosenEntries.size()))) {
        shownRows = chosenEntries.size();
        return;
    }
    // Rows and entries go by index: people the list could not take are not chosen either.
    while (chosenEntries.size() > shownRows) {
        chosenIds.Remove(chosenEntries.back());
        chosenEntries.pop_back();
    }
    (void)chosenList.SetRowCount(static_cast<int>(shownRows));
}

LRESULT ContactPickerDialog::OnChosenFindRow(const NMLVFINDITEMA& find) {
    return FindRowByText(find, static_cast<int>(chosenEntries.size()), [this](int row) {
        return std::string(chosenEntries[static_cast<size_t>(row)].displayName());
    });
}

// The rows are the chosen entries; the list asks for what it draws.
LRESULT ContactPickerDialog::OnChosenDisplayInfo(NMLVDISPINFOA& request) {
    LVITEMA& cell = request.item;
    if (cell.iItem < 0 || static_cast<size_t>(cell.iItem) >= chosenEntries.size()) return 0;
    const ContactEntry& entry = chosenEntries[static_cast<size_t>(cell.iItem)];
    if (cell.iSubItem == 0)
        AnswerCell(cell, std::string(entry.displayName()), I_IMAGENONE);
    else if (cell.iSubItem == 1)
        AnswerCell(cell, std::string(RowKey(entry)), I_IMAGENONE);
    else if (cell.iSubItem == 2)
        AnswerCell(cell, std::string(entry.groupName()), I_IMAGENONE);
    return 0;
}

void ContactPickerDialog::AppendChosen(const ContactEntry& entry) {
    chosenEntries.push_back(entry);
    chosenIds.Add(entry);
}

void ContactPickerDialog::OnAddClicked() {
    const std::string name = Item(IDC_PICKER_NAME).GetText();
    const std::string number = Item(IDC_TYPED_NUMBER).GetText();
    if (const char* refusal = TypedPersonRefusal(name, number, chosenEntries)) {
        ShowMessage(refusal, texts::kCaptionNotice, MB_OK);
        return;
    }
    RowBatch batch(*this);
    AppendChosen(MakeTypedPerson(name, number));
}

// Rows and entries are in step by index, so a row takes its own entry with it, even
// when another entry shows the same number; the entries go in one pass.
void ContactPickerDialog::OnRemoveClicked() {
    const std::vector<int> rows = chosenList.SelectedRows();
    if (rows.empty()) return;
    // Redrawn once: unselecting row by row while drawn is slow.
    const RedrawSuspension quiet(chosenList);
    RowBatch batch(*this);
    chosenList.ClearSelection();
    for (const ContactEntry& entry : RemoveRows(chosenEntries, rows)) chosenIds.Remove(entry);
}

// ---- Suggestions as the user types ----

void ContactPickerDialog::OnNameChange() { suggestions.OnTextChanged(Item(IDC_PICKER_NAME).Handle()); }

void ContactPickerDialog::OnNumberChange() { suggestions.OnTextChanged(Item(IDC_TYPED_NUMBER).Handle()); }

// The list is a window of its own, left behind where the edit was.
void ContactPickerDialog::OnMove() {
    Default();
    suggestions.Close();
}
