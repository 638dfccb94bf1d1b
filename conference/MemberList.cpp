#include "conference/MemberList.h"

#include "conference/MemberListRules.h"
#include "directory/HostFiles.h"
#include "picker/ContactPickerDialog.h"
#include "res/resource.h"
#include "text/MessageIds.h"
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

const std::string& NoText(const MemberEntry&) {
    static const std::string none;
    return none;
}

}  // namespace

MemberList::MemberList(bool allChecked, const CallContext& context)
    : context(context),
      rows({
          {kCentredColumn, 120, [](const MemberEntry& m) -> const std::string& { return m.displayName; },
           [](const MemberEntry& m, int) { return m.checked ? kChecked : kUnchecked; }},
          // Zero wide: the chairman mark shows only when the user widens the column.
          {kPictureCentred, 0, NoText,
           [this](const MemberEntry&, int row) { return row == chairmanIndex ? kChairman : kNotChairman; }},
          {kCentredColumn, 100, [](const MemberEntry& m) -> const std::string& { return m.id; }, {}},
          {kCentredColumn, -221, [](const MemberEntry& m) -> const std::string& { return m.groupName; }, {}},
      }),
      allChecked(allChecked) {}

void MemberList::Attach(HWND owner) {
    dialog = owner;
    rows.Attach(Window(owner).Item<ListView>(IDC_MEMBER_LIST));
    header = Header(rows.View().GetHeader());
}

void MemberList::Init() {
    const ListView& list = rows.View();
    list.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    // The pictures belong to the skin holder: the list must not destroy them with itself.
    // The template makes it a list of LVS_OWNERDATA: its rows are the members, asked for
    // when drawn, so that thousands of them cost no more than their own data.
    list.SetStyle((list.Style() & ~static_cast<LONG_PTR>(LVS_SORTASCENDING | LVS_SORTDESCENDING)) |
                  LVS_SHAREIMAGELISTS);
    list.SetImageList(context.skin.listCheckImages.Get(), LVSIL_SMALL);
    rows.InsertColumns({GetMessageText(messages::kMemberNameHeading), std::string(),
                        GetMessageText(messages::kMemberIdHeading), GetMessageText(messages::kGroupHeading)});
    SetHeaderCheck(allChecked);
}

void MemberList::SetHeaderCheck(bool on) {
    char heading[256] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_BITMAP;
    item.pszText = heading;
    item.cchTextMax = sizeof heading;
    if (!header.GetItem(0, item)) return;
    const SkinImages& skin = context.skin;
    item.hbm = on ? skin.headerCheckedBitmap.Get() : skin.headerUncheckedBitmap.Get();
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
        companies = context.directory.SharedDepartments(HostDepartmentsFile());
        directory = MemberDirectory(*companies);
    }
    return directory;
}

void MemberList::AddRecordMembers(const std::vector<std::string>& memberIds) {
    if (memberIds.empty()) return;
    // Even when memory runs out midway, the people added so far get their rows.
    const OwnerDataList<MemberEntry>::Batch batch(rows);
    std::vector<MemberEntry>& members = rows.Rows();
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
    ContactPickerDialog picker(userId, context);
    std::vector<ContactEntry>& chosen = picker.GetChosenEntries();
    chosen.clear();
    std::vector<MemberEntry>& members = rows.Rows();
    for (const MemberEntry& member : members)
        if (const ContactEntry* entry = Directory().FindByName(member.id)) chosen.push_back(*entry);

    if (picker.DoModal(dialog) == IDOK) {
        {
            const OwnerDataList<MemberEntry>::Batch batch(rows);
            MemberKeys onList(members);
            for (const ContactEntry& entry : chosen) {
                if (onList.Contains(entry)) continue;
                members.push_back(MemberFromEntry(entry));
                onList.Add(members.back());
            }
        }
        if (!members.empty()) {
            allChecked = true;
            SetHeaderCheck(true);
        }
    }
    chosen.clear();
}

void MemberList::OnDeleteMembers() {
    chairmanIndex = IndexAfterRemoval(chairmanIndex, rows.RemoveSelected());
}

LRESULT MemberList::OnClick(const NMITEMACTIVATE& click) {
    const int row = click.iItem;
    std::vector<MemberEntry>& members = rows.Rows();
    if (row < 0 || static_cast<size_t>(row) >= members.size()) return 0;
    if (click.ptAction.x <= kCheckBoxWidth && click.iSubItem == 0) {
        MemberEntry& member = members[static_cast<size_t>(row)];
        member.checked = !member.checked;
        rows.View().RedrawRows(row, row);
    } else if (click.iSubItem == 1) {
        // One chairman at most: a click on the chairman's mark takes it away.
        const int before = chairmanIndex;
        chairmanIndex = before == row ? -1 : row;
        if (before >= 0 && before != row) rows.View().RedrawRows(before, before);
        rows.View().RedrawRows(row, row);
    }
    return 0;
}

LRESULT MemberList::OnColumnClick(const NMLISTVIEW& click, POINT cursor) {
    if (click.iSubItem != 0) return 0;
    ::ScreenToClient(header.Handle(), &cursor);
    if (cursor.x > kCheckBoxWidth) return 0;

    allChecked = !allChecked;
    SetHeaderCheck(allChecked);
    for (MemberEntry& member : rows.Rows()) member.checked = allChecked;
    rows.View().RedrawAllRows();
    return 0;
}
