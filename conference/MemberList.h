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
#include "framework/UniqueHandle.h"
#include "framework/OwnerDataList.h"
#include "picker/CallContext.h"

class MemberList {
public:
    // The header's check starts on when an existing conference is edited.
    MemberList(bool allChecked, const CallContext& context);
    MemberList(const MemberList&) = delete;
    MemberList& operator=(const MemberList&) = delete;

    // Finds the list and its header among the controls of `dialog`.
    void Attach(HWND dialog);
    // Styles, pictures, columns (scaled to `dpi`) and the header's check.
    void Init(int dpi);
    // The directory person each id finds, in order, one row per person.
    void AddRecordMembers(const std::vector<std::string>& memberIds);

    // Runs the picker over the dialog, starting from the directory people on the list.
    void OnAddMembers(const std::string& userId);
    void OnDeleteMembers();
    LRESULT OnClick(const NMITEMACTIVATE& click);
    LRESULT OnDisplayInfo(NMLVDISPINFOA& request) const { return rows.OnDisplayInfo(request); }
    LRESULT OnCustomDraw(const NMLVCUSTOMDRAW& draw) const;
    template <class Find>
    LRESULT OnFindRow(const Find& find) const {
        return rows.OnFindRow(find);
    }
    // `cursor`: where the click was, in screen coordinates.
    LRESULT OnColumnClick(const NMLISTVIEW& click, POINT cursor);
    // Space ticks or unticks the selected rows, Ctrl+Space the header's box, Delete deletes.
    LRESULT OnKeyDown(const NMLVKEYDOWN& key);
    // The member's menu, at `cursor` (screen), or by the focused row for (-1, -1) from the keyboard.
    void OnContextMenu(POINT cursor);

    [[nodiscard]] const std::vector<MemberEntry>& Members() const { return rows.Rows(); }
    [[nodiscard]] int ChairmanIndex() const { return chairmanIndex; }

private:
    void SetHeaderCheck(bool on);
    // The skin's check and chairman pictures at the list's DPI.
    [[nodiscard]] HIMAGELIST Pictures() const;
    [[nodiscard]] bool IsChairman(const MemberEntry& member) const;
    // Tells screen readers that a row's check (EVENT_OBJECT_STATECHANGE) or its chairman
    // text (EVENT_OBJECT_DESCRIPTIONCHANGE) changed.
    void AnnounceRow(DWORD event, int row) const;
    void ToggleChecks(const std::vector<int>& rowsToToggle);
    void ToggleAll();
    void ToggleChairman(int row);
    // The company directory, in which record ids and the people on the list are found;
    // read when first needed, since a list that only grows from the picker (which reads
    // it itself) never needs it.
    const MemberDirectory& Directory();

    HWND dialog = nullptr;
    CallContext context;
    // The members, one row each.
    OwnerDataList<MemberEntry> rows;
    Header header;
    std::shared_ptr<const std::vector<Company>> companies;  // the index points into it
    MemberDirectory directory;
    int chairmanIndex = -1;
    bool allChecked;
    int checkBoxWidth = 0;  // how near the left edge a click hits a check box, at the list's DPI
    // The skin's pictures at the list's DPI, other than 96; the list shares, never destroys them.
    UniqueImageList scaledChecks;
    UniqueBitmap scaledHeaderOn;
    UniqueBitmap scaledHeaderOff;
};
