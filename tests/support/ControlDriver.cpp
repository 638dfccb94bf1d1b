#include "support/ControlDriver.h"

#include <cstring>

namespace e2e {

namespace {

void PostClick(HWND window, int x, int y, bool doubleClick) {
    const LPARAM at = MAKELPARAM(x, y);
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(window, WM_LBUTTONUP, 0, at);
    if (doubleClick) {
        ::PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        ::PostMessageA(window, WM_LBUTTONUP, 0, at);
    }
}

}  // namespace

int ListRowCount(HWND list) { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string ListCellText(HWND list, int row, int column) {
    char buffer[1024] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int ListCellImage(HWND list, int row, int column) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

std::vector<std::string> ListColumn(HWND list, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < ListRowCount(list); ++row) texts.push_back(ListCellText(list, row, column));
    return texts;
}

namespace {
int ListNext(HWND list, int row) {
    return static_cast<int>(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
}
}  // namespace

void SelectListRows(HWND list, const std::vector<int>& rows) {
    LVITEMA clear{};
    clear.stateMask = LVIS_SELECTED;
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    for (int row : rows) {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
}

std::vector<int> SelectedListRows(HWND list) {
    std::vector<int> rows;
    for (int row = ListNext(list, -1); row >= 0; row = ListNext(list, row)) rows.push_back(row);
    return rows;
}

void ClickListAt(HWND list, int x, int y) {
    POINT screen{x, y};
    ::ClientToScreen(list, &screen);
    ::SetCursorPos(screen.x, screen.y);
    PostClick(list, x, y, false);
}

POINT ListCellCentre(HWND list, int row, int column) {
    ::SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT r{};
    r.top = column;
    r.left = LVIR_BOUNDS;
    ::SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClickHeaderAt(HWND list, int x) {
    HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    RECT r{};
    ::GetClientRect(header, &r);
    POINT p{x, (r.top + r.bottom) / 2};
    POINT screen = p;
    ::ClientToScreen(header, &screen);
    ::SetCursorPos(screen.x, screen.y);
    PostClick(header, p.x, p.y, false);
}

std::string TreeItemText(HWND tree, HTREEITEM item) {
    char buffer[512] = {};
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = buffer;
    data.cchTextMax = sizeof buffer;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return buffer;
}

int TreeItemImage(HWND tree, HTREEITEM item) {
    TVITEMA data{};
    data.mask = TVIF_IMAGE;
    data.hItem = item;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return data.iImage;
}

bool IsTreeItemExpanded(HWND tree, HTREEITEM item) {
    return (::SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

HTREEITEM FindTreeItem(HWND tree, const std::vector<std::string>& path) {
    HTREEITEM level = TreeView_GetRoot(tree);
    HTREEITEM found = nullptr;
    for (const std::string& name : path) {
        found = nullptr;
        for (HTREEITEM item = level; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
            if (TreeItemText(tree, item) == name) {
                found = item;
                break;
            }
        }
        if (found == nullptr) return nullptr;
        // A group's people appear when it is first opened: open each group on the way,
        // as a user would, and close it again if it was closed.
        if (&name != &path.back() && !IsTreeItemExpanded(tree, found)) {
            static_cast<void>(TreeView_Expand(tree, found, TVE_EXPAND));
            static_cast<void>(TreeView_Expand(tree, found, TVE_COLLAPSE));
        }
        level = TreeView_GetChild(tree, found);
    }
    return found;
}

void SelectTreeItem(HWND tree, HTREEITEM item) {
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void ClickTreeItem(HWND tree, HTREEITEM item, bool doubleClick) {
    // The message takes the item in the rectangle's first bytes.
    RECT r{};
    std::memcpy(&r, &item, sizeof item);
    ::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    // The tree reads the click position from the cursor as well (hit-testing on NM_CLICK).
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    POINT screen = centre;
    ::ClientToScreen(tree, &screen);
    ::SetCursorPos(screen.x, screen.y);
    PostClick(tree, centre.x, centre.y, doubleClick);
}

void ClickTab(HWND tabs, int index) {
    RECT r{};
    ::SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    PostClick(tabs, (r.left + r.right) / 2, (r.top + r.bottom) / 2, false);
}

HMODULE ControlsModule(HWND control) {
    // The wide procedure is the control's own, not a translating stub.
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(::GetWindowLongPtrW(control, GWLP_WNDPROC)), &module);
    return module;
}

int ImageCount(HWND control, HIMAGELIST images) {
    using Count = int(WINAPI*)(HIMAGELIST);
    const auto count = reinterpret_cast<Count>(
        reinterpret_cast<void*>(::GetProcAddress(ControlsModule(control), "ImageList_GetImageCount")));
    return count != nullptr ? count(images) : -1;
}

}  // namespace e2e
