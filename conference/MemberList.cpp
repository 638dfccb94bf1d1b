#include "conference/MemberList.h"

#include "conference/MemberListRules.h"
#include "directory/DirectoryReader.h"
#include "directory/HostFiles.h"
#include "framework/ScopeGuard.h"
#include "picker/ContactPickerDialog.h"
#include "res/resource.h"
#include "skin/SkinImages.h"
#include "text/MessageTable.h"

namespace {

// Pictures of listCheckImages.
constexpr int kUnchecked = 0;
constexpr int kChecked = 1;
constexpr int kNotChairman = 2;
constexpr int kChairman = 3;
// A click this near the left edge hits the check box of a row or of the header.
constexpr int kCheckBoxWidth = 13;
constexpr int kPictureCentred = 0x802;

}  // namespace

void MemberList::Attach(HWND owner) {
    dialog = owner;
    list = Window(owner).Item<ListView>(IDC_MEMBER_LIST);
    header = Header(list.GetHeader());
}

void MemberList::Init() {
    list.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    // The pictures belong to the skin holder: the list must not destroy them with itself.
    // The template makes it a list of LVS_OWNERDATA: its rows are the members, asked for
    // when drawn, so that thousands of them cost no more than their own data.
    list.SetStyle((list.Style() & ~static_cast<LONG_PTR>(LVS_SORTASCENDING | LVS_SORTDESCENDING)) |
                  LVS_SHAREIMAGELISTS);
    list.SetImageList(GetSkinImages().listCheckImages.Get(), LVSIL_SMALL);
    list.InsertColumn(0, GetMessageText(10413), kCentredColumn, 120);
    list.InsertColumn(1, std::string(), kPictureCentred, 0);
    list.InsertColumn(2, GetMessageText(10415), kCentredColumn, 100);
    list.InsertColumn(3, GetMessageText(10416), kCentredColumn, list.ClientRect().right - 221);
    SetHeaderCheck(allChecked);
}

void MemberList::SetHeaderCheck(int on) {
    char heading[256] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_BITMAP;
    item.pszText = heading;
    item.cchTextMax = sizeof heading;
    if (!header.GetItem(0, item)) return;
    const SkinImages& skin = GetSkinImages();
    item.hbm = on != 0 ? skin.headerCheckedBitmap.Get() : skin.headerUncheckedBitmap.Get();
    // Shown at the left edge of the heading, where a click toggles every row.
    if (item.hbm != nullptr)
        item.fmt = (item.fmt | HDF_BITMAP) & ~HDF_BITMAP_ON_RIGHT;
    else
        item.fmt &= ~HDF_BITMAP;
    header.SetItem(0, item);
}

const MemberDirectory& MemberList::Directory() {
    if (companies == nullptr) {
        // An unreadable file leaves the list without directory matches, silently.
        companies = GetDirectoryReader().SharedDepartments(HostDepartmentsFile());
        directory = MemberDirectory(*companies);
    }
    return directory;
}

// The rows are the members; the list asks for what it draws.
LRESULT MemberList::OnDisplayInfo(NMLVDISPINFOA& request) {
    LVITEMA& cell = request.item;
    if (cell.iItem < 0 || static_cast<size_t>(cell.iItem) >= members.size()) return 0;
    const MemberEntry& member = members[static_cast<size_t>(cell.iItem)];
    switch (cell.iSubItem) {
    case 0:
        AnswerCell(cell, member.displayName, member.checked != 0 ? kChecked : kUnchecked);
        break;
    case 1:
        AnswerCell(cell, std::string(), cell.iItem == chairmanIndex ? kChairman : kNotChairman);
        break;
    case 2:
        AnswerCell(cell, member.id, I_IMAGENONE);
        break;
    case 3:
        AnswerCell(cell, member.groupName, I_IMAGENONE);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT MemberList::OnFindRow(const NMLVFINDITEMA& find) const {
    return FindRowByText(find, static_cast<int>(members.size()),
                         [this](int row) -> const std::string& { return members[static_cast<size_t>(row)].displayName; });
}

void MemberList::ShowRowsFrom(size_t shown) {
    if (list.SetRowCount(static_cast<int>(members.size()))) return;
    // Rows and members go by index: people the list could not take are no members either.
    members.resize(shown);
    (void)list.SetRowCount(static_cast<int>(shown));
}

void MemberList::AddRecordMembers(const std::vector<std::string>& memberIds) {
    if (memberIds.empty()) return;
    const size_t shown = members.size();
    // Even when memory runs out midway, the people added so far get their rows.
    const ScopeGuard showRows([this, shown] { ShowRowsFrom(shown); });
    MemberKeys onList(members);
    const MemberDirectory& people = Directory();
    for (const std::string& id : memberIds) {
        // A person listed in several departments, or an id written twice, is one row.
        const ContactEntry* entry = people.Find(id);
        if (entry == nullptr || onList.Contains(*entry)) continue;
        members.push_back(MemberFromEntry(*entry));
        onList.Add(members.back());
    }
}

void MemberList::OnAddMembers(const std::string& userId) {
    ContactPickerDialog picker(userId);
    std::vector<ContactEntry>& chosen = picker.GetChosenEntries();
    chosen.clear();
    for (const MemberEntry& member : members)
        if (const ContactEntry* entry = Directory().FindByName(member.id)) chosen.push_back(*entry);

    if (picker.DoModal(dialog) == IDOK) {
        {
            const size_t shown = members.size();
            const ScopeGuard showRows([this, shown] { ShowRowsFrom(shown); });
            MemberKeys onList(members);
            for (const ContactEntry& entry : chosen) {
                if (onList.Contains(entry)) continue;
                members.push_back(MemberFromEntry(entry));
                onList.Add(members.back());
            }
        }
        if (!members.empty()) {
            allChecked = 1;
            SetHeaderCheck(1);
        }
    }
    chosen.clear();
}

void MemberList::OnDeleteMembers() {
    const std::vector<int> rows = list.SelectedRows();
    if (rows.empty()) return;
    RemoveMembersAt(members, chairmanIndex, rows);
    // Redrawn once: unselecting row by row while drawn is slow.
    const RedrawSuspension batch(list);
    list.ClearSelection();
    (void)list.SetRowCount(static_cast<int>(members.size()));
}

LRESULT MemberList::OnClick(const NMITEMACTIVATE& click) {
    const int row = click.iItem;
    if (row < 0 || static_cast<size_t>(row) >= members.size()) return 0;
    if (click.ptAction.x <= kCheckBoxWidth && click.iSubItem == 0) {
        MemberEntry& member = members[static_cast<size_t>(row)];
        member.checked = member.checked != 0 ? 0 : 1;
        list.RedrawRows(row, row);
    } else if (click.iSubItem == 1) {
        // One chairman at most: a click on the chairman's mark takes it away.
        const int before = chairmanIndex;
        chairmanIndex = before == row ? -1 : row;
        if (before >= 0 && before != row) list.RedrawRows(before, before);
        list.RedrawRows(row, row);
    }
    return 0;
}

LRESULT MemberList::OnColumnClick(const NMLISTVIEW& click, POINT cursor) {
    if (click.iSubItem != 0) return 0;
    ::ScreenToClient(header.Handle(), &cursor);
    if (cursor.x > kCheckBoxWidth) return 0;

    allChecked = allChecked == 0 ? 1 : 0;
    SetHeaderCheck(allChecked);
    for (MemberEntry& member : members) member.checked = allChecked;
    list.RedrawAllRows();
    return 0;
}
