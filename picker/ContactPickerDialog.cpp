#include "picker/ContactPickerDialog.h"

#include <iterator>

#include "directory/HostFiles.h"
#include "framework/Keyboard.h"
#include "framework/TabOrder.h"
#include "picker/OwnEntries.h"
#include "picker/PickerLayout.h"
#include "picker/PickerRules.h"
#include "picker/PickerTexts.h"
#include "res/resource.h"
#include "skin/ScaledPictures.h"
#include "skinmm/SkinMM.h"
#include "text/MessageIds.h"
#include "text/MessageTable.h"

const MessageMap<ContactPickerDialog> ContactPickerDialog::messageMap = {
    OnCommand(IDC_MOVE, BN_CLICKED, &ContactPickerDialog::OnMoveClicked),
    OnCommand(IDC_ADD_TYPED, BN_CLICKED, &ContactPickerDialog::OnAddClicked),
    OnCommand(IDC_REMOVE_CHOSEN, BN_CLICKED, &ContactPickerDialog::OnRemoveClicked),
    OnMessage(WM_CLOSE, &ContactPickerDialog::OnClose),
    OnMessage(WM_SIZE, &ContactPickerDialog::OnSize),
    OnMessage(WM_DESTROY, &ContactPickerDialog::OnDestroy),
    OnNotify(IDC_PICKER_TABS, TCN_SELCHANGE, &ContactPickerDialog::OnTabSelChange),
    OnNotify(IDC_FRIENDS_TREE, NM_DBLCLK, &ContactPickerDialog::OnTreeDblClk),
    OnNotify(IDC_COMPANY_TREE, NM_DBLCLK, &ContactPickerDialog::OnTreeDblClk),
    OnNotify(IDC_FRIENDS_TREE, NM_CLICK, &ContactPickerDialog::OnTreeClick),
    OnNotify(IDC_COMPANY_TREE, NM_CLICK, &ContactPickerDialog::OnTreeClick),
    OnCommand(IDC_PICKER_NAME, EN_CHANGE, &ContactPickerDialog::OnNameChange),
    OnCommand(IDC_TYPED_NUMBER, EN_CHANGE, &ContactPickerDialog::OnNumberChange),
    OnMessage(WM_MOVE, &ContactPickerDialog::OnMove),
    OnNotify(IDC_CHOSEN_LIST, LVN_GETDISPINFOA, &ContactPickerDialog::OnChosenDisplayInfo),
    OnNotify(IDC_CHOSEN_LIST, LVN_ODFINDITEMA, &ContactPickerDialog::OnChosenFindRow),
    OnNotify(IDC_CHOSEN_LIST, LVN_ODFINDITEMW, &ContactPickerDialog::OnChosenFindRowW),
    OnNotify(IDC_COMPANY_TREE, TVN_ITEMEXPANDINGA, &ContactPickerDialog::OnTreeItemExpanding),
    OnNotify(IDC_FRIENDS_TREE, TVN_ITEMEXPANDINGA, &ContactPickerDialog::OnTreeItemExpanding),
    OnNotify(IDC_CHOSEN_LIST, LVN_KEYDOWN, &ContactPickerDialog::OnChosenKeyDown),
    OnMessage(WM_NEXTDLGCTL, &ContactPickerDialog::OnNextControl),
    OnMessage(WM_DPICHANGED, &ContactPickerDialog::OnDpiChanged),
};

ContactPickerDialog::ContactPickerDialog(std::string userId, const CallContext& context)
    : Dialog(IDD_CONTACT_PICKER), userId(std::move(userId)), context(context) {}

ContactPickerDialog::~ContactPickerDialog() = default;

bool ContactPickerDialog::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return messageMap.Dispatch(*this, message, wParam, lParam, result);
}

BOOL ContactPickerDialog::OnInitDialog() {
    dpi = WindowDpi(Handle());
    companyTree.Attach(Item<TreeView>(IDC_COMPANY_TREE));
    friendsTree.Attach(Item<TreeView>(IDC_FRIENDS_TREE));
    tabs = Item<TabControl>(IDC_PICKER_TABS);
    ApplyTexts();
    InitControls();
    LayoutControls();
    FillTrees();
    chosenList.ShowEntries();
    // Typing a name is where picking starts.
    ::SetFocus(Item(IDC_PICKER_NAME).Handle());
    return FALSE;
}

void ContactPickerDialog::ApplyTexts() {
    AsWindow().SetText(GetMessageText(messages::kPickerTitle));
    Item(IDC_PICKER_NAME_LABEL).SetText(GetMessageText(messages::kTypedNameLabel));
    Item(IDC_PICKER_NUMBER_LABEL).SetText(GetMessageText(messages::kTypedNumberLabel));
    Item(IDC_ADD_TYPED).SetText(GetMessageText(messages::kAddTypedButton));
    Item(IDOK).SetText(GetMessageText(messages::kPickerOk));
    Item(IDC_REMOVE_CHOSEN).SetText(GetMessageText(messages::kRemoveChosenButton));
}

void ContactPickerDialog::InitControls() {
    tabs.InsertItem(0, GetMessageText(messages::kCompanyTab));
    tabs.InsertItem(1, GetMessageText(messages::kFriendsTab));
    tabs.SetCurSel(0);

    companyTree.View().Show(true);
    friendsTree.View().Show(false);
    // Borrowed from the skin, or the picker's copy at its DPI: the trees never destroy it.
    if (dpi != kDefaultDpi) scaledTreeImages = ScaleImageList(context.skin.treeImages.Get(), dpi);
    HIMAGELIST images = scaledTreeImages ? scaledTreeImages.Get() : context.skin.treeImages.Get();
    companyTree.View().SetImageList(images, TVSIL_NORMAL);
    friendsTree.View().SetImageList(images, TVSIL_NORMAL);
    // The trees draw themselves; the skin would paint over their items.
    skinmmRemoveCtrl(companyTree.View().Handle());
    skinmmRemoveCtrl(friendsTree.View().Handle());

    chosenList.Attach(Handle(), dpi);
}

void ContactPickerDialog::LayoutControls() {
    // Sizing messages come before the controls exist.
    if (!Item(IDC_CHOSEN_LIST).Exists()) return;
    const PickerLayout layout = ComputePickerLayout(AsWindow().ClientRect(), dpi);
    for (const PickerLayout::Placement& p : layout.placements) {
        Item(p.id).Move(p.x, p.y, p.width, p.height);
        if (p.id != IDC_PICKER_TABS) continue;
        RECT display = layout.tabs;
        tabs.AdjustRect(false, &display);
        for (const DirectoryTree* tree : {&companyTree, &friendsTree})
            tree->View().Move(display.left, display.top, display.right - display.left, display.bottom - display.top);
    }
}

// Both trees, the user's own entries chosen as they are met, and the search over both.
void ContactPickerDialog::FillTrees() {
    std::vector<ContactEntry>& chosen = chosenList.Entries();
    OwnEntries own(userId, chosen);
    bool complete = false;
    const auto companies = context.directory.SharedDepartments(HostDepartmentsFile(), &complete);
    companyTree.Fill(companies, complete, own, chosen);
    const auto friendGroups = context.directory.SharedFriends(HostFriendsFile(), &complete);
    friendsTree.Fill(friendGroups, complete, own, chosen);
    suggestions.Attach(Handle(), {Item(IDC_PICKER_NAME).Handle(), Item(IDC_TYPED_NUMBER).Handle()}, *companies,
                       *friendGroups, [this](const ContactEntry& entry, bool friends) {
                           const ChosenList::Batch batch(chosenList);
                           PickPerson(entry, friends ? friendsTree : companyTree);
                       });
}

// Moved to a monitor of another DPI, under a host aware of each monitor's: the system's
// rectangle for the new DPI, and the layout again at it.
void ContactPickerDialog::OnDpiChanged() {
    dpi = TakeDpiChange();
    LayoutControls();
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
    companyTree.Clear();
    friendsTree.Clear();
    tabs = TabControl();
    chosenList.Detach();
}

LRESULT ContactPickerDialog::OnTabSelChange(const NMHDR&) {
    const int selected = tabs.GetCurSel();
    if (selected < 0) return 0;
    companyTree.View().Show(selected == 0);
    friendsTree.View().Show(selected != 0);
    return 0;
}

// Tab and Shift+Tab (wParam 0 or 1, lParam 0) follow kPickerTabOrder over the visible, enabled
// controls; with Ctrl held they switch tabs instead, from anywhere in the dialog.
void ContactPickerDialog::OnNextControl() {
    const MSG& message = CurrentMessage();
    if (LOWORD(message.lParam) != 0) {
        Default();
        return;
    }
    const bool backward = message.wParam != 0;
    const HWND focus = ::GetFocus();
    if (IsKeyDown(VK_CONTROL)) {
        const int count = tabs.GetItemCount();
        if (count <= 0) return;
        const bool inTree = focus == companyTree.View().Handle() || focus == friendsTree.View().Handle();
        tabs.SetCurSel((tabs.GetCurSel() + (backward ? count - 1 : 1)) % count);
        OnTabSelChange(NMHDR{});
        // The focus stays in the tree the user was in, now the other one.
        if (inTree) AsWindow().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(CurrentTree().View().Handle()), TRUE);
        return;
    }
    if (const HWND next = NextInTabOrder(Handle(), kPickerTabOrder, std::size(kPickerTabOrder), focus, backward))
        AsWindow().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
}

// Enter on a tree item moves it, as the move button does; the dialog manager gives Enter
// to the dialog as OK, since a tree does not take it.
void ContactPickerDialog::OnOK() {
    if (IsKeyDown(VK_RETURN) && ::GetFocus() == CurrentTree().View().Handle()) return OnMoveClicked();
    Dialog::OnOK();
}

LRESULT ContactPickerDialog::OnChosenKeyDown(const NMLVKEYDOWN& key) {
    if (key.wVKey == VK_DELETE) OnRemoveClicked();
    return 0;
}

LRESULT ContactPickerDialog::OnTreeClick(const NMHDR&) {
    CurrentTree().OnClick();
    return 0;
}

LRESULT ContactPickerDialog::OnTreeDblClk(const NMHDR&) {
    CurrentTree().OnDoubleClick();
    return 0;
}

LRESULT ContactPickerDialog::OnTreeItemExpanding(const NMTREEVIEWA& change) {
    DirectoryTree& tree = change.hdr.hwndFrom == friendsTree.View().Handle() ? friendsTree : companyTree;
    return tree.OnItemExpanding(change);
}

// Everyone at or under the selected item, in tree order, each looked up in the
// directory of the selected tab. A company or group with nobody in it adds nobody.
void ContactPickerDialog::OnMoveClicked() {
    DirectoryTree& tree = CurrentTree();
    const ChosenList::Batch batch(chosenList);
    tree.ForEachSelectedPerson([&](int id) { MovePerson(id, tree); });
}

void ContactPickerDialog::MovePerson(int id, DirectoryTree& tree) {
    if (chosenList.IsChosenId(id)) return;
    if (const ContactEntry* entry = tree.FindEntry(id)) chosenList.Append(*entry);
}

// A person whose identifier is a number as a move takes him; anyone else, whom only the
// entry tells apart, is the very entry picked.
void ContactPickerDialog::PickPerson(const ContactEntry& entry, DirectoryTree& tree) {
    if (HasNumericId(entry)) return MovePerson(NumericId(entry), tree);
    chosenList.AppendUnlessListed(entry);
}

void ContactPickerDialog::OnAddClicked() {
    const std::string name = Item(IDC_PICKER_NAME).GetText();
    const std::string number = Item(IDC_TYPED_NUMBER).GetText();
    if (const char* refusal = chosenList.AddTyped(name, number)) ShowMessage(refusal, texts::kCaptionNotice, MB_OK);
}

void ContactPickerDialog::OnNameChange() { suggestions.OnTextChanged(Item(IDC_PICKER_NAME).Handle()); }

void ContactPickerDialog::OnNumberChange() { suggestions.OnTextChanged(Item(IDC_TYPED_NUMBER).Handle()); }

// The list is a window of its own, left behind where the edit was.
void ContactPickerDialog::OnMove() {
    Default();
    suggestions.Close();
}
