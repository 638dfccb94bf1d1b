#include "conference/MemberList.h"

#include "conference/MemberListRules.h"
#include "directory/DirectoryReader.h"
#include "directory/HostFiles.h"
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

void MemberList::LoadDirectory() {
    // An unreadable file leaves the list without directory matches, silently.
    (void)GetDirectoryReader().ReadDepartments(HostDepartmentsFile(), companies);
    directory = MemberDirectory(companies);
}

bool MemberList::AppendRow(const ContactEntry& entry) {
    const int row = list.InsertItem(list.GetItemCount(), entry.displayName, kChecked);
    // Rows and members go by index: a person without a row is no member either.
    if (row < 0) return false;
    list.SetItemText(row, 2, entry.name);
    list.SetItemText(row, 3, entry.groupName);
    list.SetItemImage(row, 1, kNotChairman);
    list.SetItemImage(row, 2, I_IMAGENONE);
    list.SetItemImage(row, 3, I_IMAGENONE);
    return true;
}

void MemberList::AddRecordMembers(const std::vector<std::string>& memberIds) {
    const RedrawSuspension batch(list);
    MemberKeys onList(members);
    for (const std::string& id : memberIds) {
        // A person listed in several departments, or an id written twice, is one row.
        const ContactEntry* entry = directory.Find(id);
        if (entry == nullptr || onList.Contains(*entry)) continue;
        if (!AppendRow(*entry)) continue;
        members.push_back(MemberFromEntry(*entry));
        onList.Add(members.back());
    }
}

void MemberList::OnAddMembers(const std::string& userId) {
    ContactPickerDialog picker(userId);
    std::vector<ContactEntry>& chosen = picker.GetChosenEntries();
    chosen.clear();
    for (const MemberEntry& member : members)
        if (const ContactEntry* entry = directory.Find(member.id)) chosen.push_back(*entry);

    if (picker.DoModal(dialog) == IDOK) {
        {
            const RedrawSuspension batch(list);
            MemberKeys onList(members);
            for (const ContactEntry& entry : chosen) {
                if (onList.Contains(entry)) continue;
                if (!AppendRow(entry)) continue;
                members.push_back(MemberFromEntry(entry));
                onList.Add(members.back());
            }
        }
        if (list.GetItemCount() > 0) {
            allChecked = 1;
            SetHeaderCheck(1);
        }
    }
    chosen.clear();
}

void MemberList::OnDeleteMembers() {
    // Rows and members stay in step by index, so the rows' own people go.
    const RedrawSuspension batch(list);
    RemoveMembersAt(members, chairmanIndex, list.DeleteSelectedItems());
}

LRESULT MemberList::OnClick(const NMITEMACTIVATE& click) {
    const int row = click.iItem;
    if (row < 0) return 0;
    if (click.ptAction.x <= kCheckBoxWidth && click.iSubItem == 0) {
        if (static_cast<size_t>(row) < members.size()) {
            MemberEntry& member = members[static_cast<size_t>(row)];
            member.checked = member.checked != 0 ? 0 : 1;
            list.SetItemImage(row, 0, member.checked != 0 ? kChecked : kUnchecked);
        }
    } else if (click.iSubItem == 1) {
        for (int i = 0; i < list.GetItemCount(); ++i) {
            if (i != row) {
                list.SetItemImage(i, 1, kNotChairman);
            } else if (list.GetItemImage(i, 1) == kChairman) {
                chairmanIndex = -1;
                list.SetItemImage(i, 1, kNotChairman);
            } else {
                chairmanIndex = i;
                list.SetItemImage(i, 1, kChairman);
            }
        }
    }
    return 0;
}

LRESULT MemberList::OnColumnClick(const NMLISTVIEW& click, POINT cursor) {
    if (click.iSubItem != 0) return 0;
    ::ScreenToClient(header.Handle(), &cursor);
    if (cursor.x > kCheckBoxWidth) return 0;

    allChecked = allChecked == 0 ? 1 : 0;
    SetHeaderCheck(allChecked);
    const RedrawSuspension batch(list);
    for (size_t i = 0; i < members.size(); ++i) {
        members[i].checked = allChecked;
        list.SetItemImage(static_cast<int>(i), 0, allChecked == 1 ? kChecked : kUnchecked);
    }
    return 0;
}
