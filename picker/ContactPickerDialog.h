#pragma once
// The modal contact picker (template 142): the company and friends trees on two tabs,
// people typed in by hand, and the chosen list handed back to the conference dialog.
// The dialog is the frame and its wiring; the trees and the list do the work.
#include <string>
#include <vector>

#include "directory/ContactEntry.h"
#include "framework/Dialog.h"
#include "framework/Dpi.h"
#include "framework/TabControl.h"
#include "picker/CallContext.h"
#include "picker/ChosenList.h"
#include "picker/DirectoryTree.h"
#include "picker/SuggestionList.h"

class ContactPickerDialog : public Dialog {
public:
    ContactPickerDialog(std::string userId, const CallContext& context);
    ~ContactPickerDialog() override;

    // The chosen people: the caller may fill it before the run and reads it after.
    std::vector<ContactEntry>& GetChosenEntries() { return chosenList.Entries(); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ApplyTexts();
    void InitControls();
    void LayoutControls();
    void FillTrees();
    void OnSize();
    void OnClose();
    void OnDestroy();
    LRESULT OnTabSelChange(const NMHDR& header);

    [[nodiscard]] bool IsFriendsTab() const { return tabs.GetCurSel() == 1; }
    // The visible tree, which is the one the user clicks.
    [[nodiscard]] DirectoryTree& CurrentTree() { return IsFriendsTab() ? friendsTree : companyTree; }
    LRESULT OnTreeClick(const NMHDR&);
    LRESULT OnTreeDblClk(const NMHDR&);
    LRESULT OnTreeItemExpanding(const NMTREEVIEWA& change);
    void OnMoveClicked();
    // One person, looked up in the directory of the given tab, unless already chosen.
    void MovePerson(int id, DirectoryTree& tree);
    // A suggestion picked from the directory of the given tab.
    void PickPerson(const ContactEntry& entry, DirectoryTree& tree);

    void OnAddClicked();
    void OnRemoveClicked() { chosenList.RemoveSelected(); }
    LRESULT OnChosenDisplayInfo(NMLVDISPINFOA& request) { return chosenList.OnDisplayInfo(request); }
    LRESULT OnChosenFindRow(const NMLVFINDITEMA& find) { return chosenList.OnFindRow(find); }
    LRESULT OnChosenFindRowW(const NMLVFINDITEMW& find) { return chosenList.OnFindRow(find); }

    LRESULT OnChosenKeyDown(const NMLVKEYDOWN& key);
    void OnNextControl();
    void OnDpiChanged();

    void OnNameChange();
    void OnNumberChange();
    void OnMove();

    std::string userId;
    CallContext context;
    int dpi = kDefaultDpi;  // the window's, which the layout's pixel numbers are scaled to
    UniqueImageList scaledTreeImages;  // the skin's tree pictures at that DPI, other than 96
    ChosenList chosenList;
    DirectoryTree companyTree;
    DirectoryTree friendsTree;
    TabControl tabs;  // found once: every lookup of a child by id asks the window server
    SuggestionList suggestions;  // over both directories, indexed with the trees

    static const MessageMap<ContactPickerDialog> messageMap;
};
