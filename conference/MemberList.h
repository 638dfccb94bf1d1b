#pragma once
// The conference dialog's member list: people from the record and from the picker,
// check boxes per row and in the header, the chairman mark, deletion. Rows and
// members stay in step by index.
#include <memory>
#include <string>
#include <vector>

#include "conference/MemberEntry.h"
#include "conference/MemberListRules.h"
#include "directory/Company.h"
#include "framework/Header.h"
#include "framework/ListView.h"

class MemberList {
public:
    // The header's check starts on when an existing conference is edited.
    explicit MemberList(bool allChecked) : allChecked(allChecked ? 1 : 0) {}
    MemberList(const MemberList&) = delete;
    MemberList& operator=(const MemberList&) = delete;

    // Finds the list and its header among the controls of `dialog`.
    void Attach(HWND dialog);
    // Styles, pictures, columns and the header's check.
    void Init();
    // The directory person each id finds, in order, one row per person.
    void AddRecordMembers(const std::vector<std::string>& memberIds);

    // Runs the picker over the dialog, starting from the directory people on the list.
    void OnAddMembers(const std::string& userId);
    void OnDeleteMembers();
    LRESULT OnClick(const NMITEMACTIVATE& click);
    LRESULT OnDisplayInfo(NMLVDISPINFOA& request);
    LRESULT OnFindRow(const NMLVFINDITEMA& find) const;
    // `cursor`: where the click was, in screen coordinates.
    LRESULT OnColumnClick(const NMLISTVIEW& click, POINT cursor);

    [[nodiscard]] const std::vector<MemberEntry>& Members() const { return members; }
    [[nodiscard]] int ChairmanIndex() const { return chairmanIndex; }

private:
    // Shows the members from index `shown` on as rows.
    void ShowRowsFrom(size_t shown);
    void SetHeaderCheck(int on);
    // The company directory, in which record ids and the people on the list are found;
    // read when first needed, since a list that only grows from the picker (which reads
    // it itself) never needs it.
    const MemberDirectory& Directory();

    HWND dialog = nullptr;
    ListView list;
    Header header;
    std::shared_ptr<const std::vector<Company>> companies;  // the index points into it
    MemberDirectory directory;
    std::vector<MemberEntry> members;
    int chairmanIndex = -1;
    int allChecked;
};
