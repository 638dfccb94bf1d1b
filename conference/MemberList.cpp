#include "conference/MemberList.h"

#include "conference/ConferenceTexts.h"
#include "conference/MemberListRules.h"
#include "directory/HostFiles.h"
#include "framework/Keyboard.h"
#include "picker/ContactPickerDialog.h"
#include "res/resource.h"
#include "skin/ScaledPictures.h"
#include "text/MessageIds.h"
#include "text/MessageTable.h"

namespace {

// Pictures of listCheckImages.
constexpr int kUnchecked = 0;
constexpr int kChecked = 1;
constexpr int kNotChairman = 2;
constexpr int kChairman = 3;
constexpr int kChairmanColumn = 1;
// A click this near the left edge hits the check box of a row or of the header.
constexpr int kCheckBoxWidth = 13;
constexpr int kPictureCentred = 0x802;

}  // namespace

MemberList::MemberList(bool allChecked, const CallContext& context)
    : context(context),
      rows({
          // The check is also the row's state picture (1 unchecked, 2 checked), which the
          // system reports as a check.
          {kCentredColumn, 120, [](const MemberEntry& m) -> const std::string& { return m.displayName; },
           [](const MemberEntry& m, int) { return m.checked ? kChecked : kUnchecked; },
           [](const MemberEntry& m) { return m.checked ? 2 : 1; }},
          // Zero wide: the chairman mark shows only when the user widens the column. The
          // text is for screen readers; the cell draws only the picture.
          {kPictureCentred, 0,
           [this](const MemberEntry& m) -> std::string_view { return IsChairman(m) ? texts::kChairman : ""; },
           [this](const MemberEntry&, int row) { return row == chairmanIndex ? kChairman : kNotChairman; }, {}},
          {kCentredColumn, 100, [](const MemberEntry& m) -> const std::string& { return m.id; }, {}, {}},
          {kCentredColumn, -221, [](const MemberEntry& m) -> const std::string& { return m.groupName; }, {}, {}},
      }),
      allChecked(allChecked) {}

void MemberList::Attach(HWND owner) {
    dialog = owner;
    rows.Attach(Window(owner).Item<ListView>(IDC_MEMBER_LIST));
    header = Header(rows.View().GetHeader());
}

void MemberList::Init(int dpi) {
    checkBoxWidth = ScaleForDpi(kCheckBoxWidth, dpi);
    const SkinImages& skin = context.skin;
    if (dpi != kDefaultDpi) {
        // The list's own copies at its DPI; where a copy fails, the skin's own pictures.
        scaledChecks = ScaleImageList(skin.listCheckImages.Get(), dpi);
        scaledHeaderOn = ScaleBitmap(skin.headerCheckedBitmap.Get(), dpi);
        scaledHeaderOff = ScaleBitmap(skin.headerUncheckedBitmap.Get(), dpi);
    }
    const ListView& list = rows.View();
    list.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    // The pictures belong to the skin holder: the list must not destroy them with itself.
    // The template makes it a list of LVS_OWNERDATA: its rows are the members, asked for
    // when drawn, so that thousands of them cost no more than their own data.
    list.SetStyle((list.Style() & ~static_cast<LONG_PTR>(LVS_SORTASCENDING | LVS_SORTDESCENDING)) |
                  LVS_SHAREIMAGELISTS);
    list.SetImageList(Pictures(), LVSIL_SMALL);
    // A list of check boxes, whose state picture (asked of the owner, as the rest of a
    // row is) says which rows are checked. The check is drawn as the skin's small picture,
    // as ever: a list of state pictures would take room before every cell's text, so
    // the one the list made for its boxes goes.
    list.SetCallbackMask(LVIS_STATEIMAGEMASK);
    if (const HIMAGELIST boxes = list.SetImageList(nullptr, LVSIL_STATE)) ::ImageList_Destroy(boxes);
    rows.InsertColumns({GetMessageText(messages::kMemberNameHeading), std::string(),
                        GetMessageText(messages::kMemberIdHeading), GetMessageText(messages::kGroupHeading)},
                       dpi);
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
    const UniqueBitmap& scaled = on ? scaledHeaderOn : scaledHeaderOff;
    item.hbm = scaled ? scaled.Get() : on ? skin.headerCheckedBitmap.Get() : skin.headerUncheckedBitmap.Get();
    // Shown at the left edge of the heading, where a click toggles every row.
    if (item.hbm != nullptr)
        item.fmt = (item.fmt | HDF_BITMAP) & ~HDF_BITMAP_ON_RIGHT;
    else
        item.fmt &= ~HDF_BITMAP;
    // The heading is a check box, checked or not, for what reads the header: without
    // HDS_CHECKBOXES the header draws no box of its own beside the skin's picture.
    item.fmt = (item.fmt & ~HDF_CHECKED) | HDF_CHECKBOX | (on ? HDF_CHECKED : 0);
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

HIMAGELIST MemberList::Pictures() const {
    return scaledChecks ? scaledChecks.Get() : context.skin.listCheckImages.Get();
}

bool MemberList::IsChairman(const MemberEntry& member) const {
    const std::vector<MemberEntry>& members = rows.Rows();
    return chairmanIndex >= 0 && static_cast<size_t>(chairmanIndex) < members.size() &&
           &members[static_cast<size_t>(chairmanIndex)] == &member;
}

// The chairman cell: its picture where the list draws a cell's picture, and no text;
// every other cell as the list draws it.
LRESULT MemberList::OnCustomDraw(const NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        break;
    default:
        return CDRF_DODEFAULT;
    }
    if (draw.iSubItem != kChairmanColumn) return CDRF_DODEFAULT;
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    if (row < 0 || static_cast<size_t>(row) >= rows.Rows().size()) return CDRF_SKIPDEFAULT;
    const RECT& cell = draw.nmcd.rc;
    if (cell.right <= cell.left) return CDRF_SKIPDEFAULT;  // the column as it starts, 0 wide
    int width = 0;
    int height = 0;
    ::ImageList_GetIconSize(Pictures(), &width, &height);
    const HWND list = rows.View().Handle();
    const bool selected =
        (rows.View().Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const bool focused = ::GetFocus() == list;
    // A selected row's colour, which the list paints cell by cell.
    if (selected && (focused || (rows.View().Style() & LVS_SHOWSELALWAYS) != 0))
        ::FillRect(draw.nmcd.hdc, &cell, ::GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    const UINT style = selected && focused ? ILD_SELECTED : ILD_NORMAL;
    // Clipped to the cell, as the list clips its own pictures.
    const int saved = ::SaveDC(draw.nmcd.hdc);
    ::IntersectClipRect(draw.nmcd.hdc, cell.left, cell.top, cell.right, cell.bottom);
    ::ImageList_DrawEx(Pictures(), row == chairmanIndex ? kChairman : kNotChairman, draw.nmcd.hdc,
                       cell.left, cell.top, width, height,
                       static_cast<COLORREF>(rows.View().Send(LVM_GETBKCOLOR)), CLR_DEFAULT, style);
    ::RestoreDC(draw.nmcd.hdc, saved);
    return CDRF_SKIPDEFAULT;
}

LRESULT MemberList::OnClick(const NMITEMACTIVATE& click) {
    const int row = click.iItem;
    std::vector<MemberEntry>& members = rows.Rows();
    if (row < 0 || static_cast<size_t>(row) >= members.size()) return 0;
    if (click.ptAction.x <= checkBoxWidth && click.iSubItem == 0)
        ToggleChecks({row});
    else if (click.iSubItem == 1)
        ToggleChairman(row);
    return 0;
}

void MemberList::ToggleChecks(const std::vector<int>& rowsToToggle) {
    std::vector<MemberEntry>& members = rows.Rows();
    for (const int row : rowsToToggle) {
        if (row < 0 || static_cast<size_t>(row) >= members.size()) continue;
        MemberEntry& member = members[static_cast<size_t>(row)];
        member.checked = !member.checked;
        rows.View().RedrawRows(row, row);
        AnnounceRow(EVENT_OBJECT_STATECHANGE, row);
    }
}

// The list keeps no state of owner-data rows, so it cannot tell screen readers of a
// change: the owner does, as the list does for its own rows.
void MemberList::AnnounceRow(DWORD event, int row) const {
    ::NotifyWinEvent(event, rows.View().Handle(), OBJID_CLIENT, row + 1);
}

// One chairman at most: marking the chairman again takes the mark away.
void MemberList::ToggleChairman(int row) {
    const int before = chairmanIndex;
    chairmanIndex = before == row ? -1 : row;
    if (before >= 0 && before != row) {
        rows.View().RedrawRows(before, before);
        AnnounceRow(EVENT_OBJECT_DESCRIPTIONCHANGE, before);
    }
    rows.View().RedrawRows(row, row);
    AnnounceRow(EVENT_OBJECT_DESCRIPTIONCHANGE, row);
}

LRESULT MemberList::OnKeyDown(const NMLVKEYDOWN& key) {
    if (key.wVKey == VK_DELETE) {
        OnDeleteMembers();
    } else if (key.wVKey == VK_SPACE) {
        if (IsKeyDown(VK_CONTROL))
            ToggleAll();
        else
            ToggleChecks(rows.View().SelectedRows());
    }
    return 0;
}

void MemberList::OnContextMenu(POINT cursor) {
    const ListView& list = rows.View();
    int row = -1;
    if (cursor.x == -1 && cursor.y == -1) {
        // From the keyboard: the focused row, the menu at its left end.
        row = list.GetNextItem(-1, LVNI_FOCUSED);
        if (row < 0) row = list.GetNextItem(-1, LVNI_SELECTED);
        RECT box{LVIR_LABEL, 0, 0, 0};
        if (row < 0 || !list.Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&box))) return;
        cursor = {box.left, box.bottom};
        ::ClientToScreen(list.Handle(), &cursor);
    } else {
        LVHITTESTINFO hit{};
        hit.pt = cursor;
        ::ScreenToClient(list.Handle(), &hit.pt);
        row = static_cast<int>(list.Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (row < 0) return;
        // The menu is about the row under the pointer, as it is for a right click elsewhere.
        if ((list.Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) == 0) {
            list.ClearSelection();
            LVITEMA item{};
            item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            list.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        }
    }
    if (static_cast<size_t>(row) >= rows.Rows().size()) return;

    enum : UINT { kChairmanCommand = 1, kDeleteCommand };
    const HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr) return;
    ::AppendMenuA(menu, MF_STRING | (row == chairmanIndex ? MF_CHECKED : 0), kChairmanCommand, texts::kMakeChairman);
    ::AppendMenuA(menu, MF_STRING, kDeleteCommand, texts::kDeleteMember);
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, dialog, nullptr));
    ::DestroyMenu(menu);
    if (chosen == kChairmanCommand) ToggleChairman(row);
    if (chosen == kDeleteCommand) OnDeleteMembers();
}

LRESULT MemberList::OnColumnClick(const NMLISTVIEW& click, POINT cursor) {
    if (click.iSubItem != 0) return 0;
    ::ScreenToClient(header.Handle(), &cursor);
    if (cursor.x > checkBoxWidth) return 0;

    ToggleAll();
    return 0;
}

void MemberList::ToggleAll() {
    allChecked = !allChecked;
    SetHeaderCheck(allChecked);
    for (MemberEntry& member : rows.Rows()) member.checked = allChecked;
    for (int row = 0; row < static_cast<int>(rows.Rows().size()); ++row) AnnounceRow(EVENT_OBJECT_STATECHANGE, row);
    rows.View().RedrawAllRows();
}
