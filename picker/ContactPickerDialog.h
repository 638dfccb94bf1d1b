#pragma once
// The modal contact picker (template 142): the company and friends trees on two tabs,
// people typed in by hand, and the chosen list handed back to the conference dialog.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "directory/Company.h"
#include "directory/ContactEntry.h"
#include "directory/ContactGroup.h"
#include "framework/Dialog.h"
#include "framework/ListView.h"
#include "framework/TabControl.h"
#include "framework/TreeView.h"
#include "picker/ChosenIds.h"
#include "picker/DirectoryIndex.h"
#include "picker/OwnEntries.h"
#include "picker/SuggestionList.h"
#include "picker/TreeOutline.h"

class ContactPickerDialog : public Dialog {
public:
    explicit ContactPickerDialog(std::string userId);
    ~ContactPickerDialog() override;

    // The chosen people: the caller may fill it before the run and reads it after.
    std::vector<ContactEntry>& GetChosenEntries() { return chosenEntries; }

protected:
    BOOL OnInitDialog() override;
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Changes to the chosen entries shown as rows once, when the outermost batch ends:
    // the list (LVS_OWNERDATA) holds no rows of its own, only their number.
    class RowBatch {
    public:
        explicit RowBatch(ContactPickerDialog& picker);
        ~RowBatch();
        RowBatch(const RowBatch&) = delete;
        RowBatch& operator=(const RowBatch&) = delete;

    private:
        ContactPickerDialog& picker_;
    };

    // Dialog frame
    void FindControls();
    void ApplyTexts();
    void InitControls();
    void LayoutControls();
    void OnSize();
    void OnClose();
    void OnDestroy();
    LRESULT OnTabSelChange(const NMHDR& header);

    // Directory trees
    void FillTrees();
    HTREEITEM InsertTreeItem(const TreeView& tree, HTREEITEM parent, const std::string& text, LPARAM data,
                             int image, HTREEITEM after = TVI_LAST);
    void InsertGroup(const TreeView& tree, HTREEITEM parent, const ContactGroup& group, OwnEntries& own);
    LRESULT OnTreeItemExpanding(const NMTREEVIEWA& change);
    // A group whose people are not in the tree yet, and where the outline has them.
    struct PendingPeople {
        const ContactGroup* group;
        size_t firstPlace;
    };
    std::unordered_map<HTREEITEM, PendingPeople>& PendingPeopleOf(const TreeView& tree);
    [[nodiscard]] TreeView CurrentTree() const;
    [[nodiscard]] bool IsFriendsTab() const;
    [[nodiscard]] HTREEITEM ItemUnderCursor(const TreeView& tree) const;
    void SwitchGroupUnderCursor(UINT closedAction, UINT openAction, bool actionFirst);
    LRESULT OnTreeClick(const NMHDR& header);
    LRESULT OnCompanyTreeDblClk(const NMHDR& header);
    LRESULT OnFriendsTreeDblClk(const NMHDR& header);
    void OnMoveClicked();
    void MoveItem(const TreeView& tree, HTREEITEM item);
    void MovePerson(int id, bool friendsTab);
    void PickPerson(const ContactEntry& entry, bool friendsTab);
    [[nodiscard]] bool IsChosenId(int id) const;
    [[nodiscard]] const ContactEntry* FindEntryById(int id, bool friendsTab);
    TreeOutline& OutlineOf(const TreeView& tree);

    // Chosen list and manual entry
    void AppendChosen(const ContactEntry& entry);
    void ShowChosenRows();
    LRESULT OnChosenDisplayInfo(NMLVDISPINFOA& request);
    LRESULT OnChosenFindRow(const NMLVFINDITEMA& find);
    void OnAddClicked();
    void OnRemoveClicked();

    // Suggestions as the user types
    void OnNameChange();
    void OnNumberChange();
    void OnMove();

    std::string userId;
    // The directory as read, shared with the conference dialog's reads of the same bytes.
    std::shared_ptr<const std::vector<Company>> companies = std::make_shared<const std::vector<Company>>();
    std::shared_ptr<const std::vector<ContactGroup>> friendGroups = std::make_shared<const std::vector<ContactGroup>>();
    std::vector<ContactEntry> chosenEntries;

    ChosenIds chosenIds;           // in step with chosenEntries from the first row on
    DirectoryIndex companyIndex;   // built on the first move from each tab
    DirectoryIndex friendsIndex;
    TreeOutline companyOutline;    // filled with the trees
    TreeOutline friendsOutline;
    std::unordered_map<HTREEITEM, PendingPeople> companyPending;  // groups not opened yet
    std::unordered_map<HTREEITEM, PendingPeople> friendsPending;
    SuggestionList suggestions;    // over both directories, indexed with the trees
    int rowBatchDepth = 0;
    size_t shownRows = 0;          // the chosen entries the list has rows for
    // The controls, found once: every lookup of a child by id asks the window server.
    TreeView companyTree;
    TreeView friendsTree;
    TabControl tabs;
    ListView chosenList;

    static const MessageMap<ContactPickerDialog> messageMap;
};
