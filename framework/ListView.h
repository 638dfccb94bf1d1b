#pragma once
// List view and header wrappers (ANSI messages, so texts are code page bytes).
#include <cstring>
#include <string>
#include <vector>

#include "framework/Text.h"
#include "framework/Window.h"

// The column format the dialogs' lists have always been given: centred (LVCFMT_CENTER)
// with bit 4 set as well.
inline constexpr int kCentredColumn = 6;

class ListView : public Window {
public:
    using Window::Window;

    void AddExtendedStyle(DWORD styles) const {
        Send(LVM_SETEXTENDEDLISTVIEWSTYLE, styles, static_cast<LPARAM>(styles));
    }
    // Gives back the list that `images` replaces.
    HIMAGELIST SetImageList(HIMAGELIST images, int which) const {
        return reinterpret_cast<HIMAGELIST>(
            Send(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images)));
    }
    // The item states (LVIS_) the list asks its owner for instead of keeping them.
    void SetCallbackMask(UINT states) const { Send(LVM_SETCALLBACKMASK, states); }
    int InsertColumn(int index, const std::string& heading, int format, int width) const {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = format;
        column.cx = width;
        column.pszText = const_cast<char*>(heading.c_str());
        column.iSubItem = index;
        return static_cast<int>(Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
    }
    [[nodiscard]] HWND GetHeader() const { return reinterpret_cast<HWND>(Send(LVM_GETHEADER)); }

    [[nodiscard]] int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    [[nodiscard]] int GetSelectedCount() const { return static_cast<int>(Send(LVM_GETSELECTEDCOUNT)); }
    // The next item after `start` (-1: from the first) with the LVNI_ flags, or -1.
    [[nodiscard]] int GetNextItem(int start, UINT flags) const {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(start), static_cast<LPARAM>(flags)));
    }
    // Inserts a row with its first column's text (and picture, unless I_IMAGENONE); returns its index.
    int InsertItem(int index, const std::string& text, int image = I_IMAGENONE) const {
        LVITEMA item{};
        item.mask = LVIF_TEXT | (image != I_IMAGENONE ? LVIF_IMAGE : 0);
        item.iItem = index;
        item.pszText = const_cast<char*>(text.c_str());
        item.iImage = image;
        return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
    void SetItemText(int index, int column, const std::string& text) const {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text.c_str());
        Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    void SetItemImage(int index, int column, int image) const {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = index;
        item.iSubItem = column;
        item.iImage = image;
        Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    [[nodiscard]] int GetItemImage(int index, int column) const {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = index;
        item.iSubItem = column;
        Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }

    // ---- Lists with LVS_OWNERDATA, whose rows live in the owner and are asked for ----

    // How many rows there are; false when the list could not take them. The list stays
    // where the user scrolled it, instead of bringing the focused row back into view.
    bool SetRowCount(int rows) const {
        return Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), LVSICF_NOSCROLL) != 0;
    }
    // Rows `first` to `last` are drawn again from the owner's data.
    void RedrawRows(int first, int last) const {
        Send(LVM_REDRAWITEMS, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
    }
    void RedrawAllRows() const { ::InvalidateRect(Handle(), nullptr, FALSE); }
    // Unselects every row.
    void ClearSelection() const {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    }
    // Puts the focus mark, and the anchor of a Shift selection, on `row`.
    void SetFocusRow(int row) const {
        LVITEMA item{};
        item.state = LVIS_FOCUSED;
        item.stateMask = LVIS_FOCUSED;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        Send(LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(row));
    }
    // The selected rows in ascending order.
    [[nodiscard]] std::vector<int> SelectedRows() const {
        const int selected = GetSelectedCount();
        std::vector<int> rows;
        rows.reserve(static_cast<size_t>(selected > 0 ? selected : 0));
        for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0 && static_cast<int>(rows.size()) < selected;
             row = GetNextItem(row, LVNI_SELECTED))
            rows.push_back(row);
        return rows;
    }
};

// Answers a list with LVS_OWNERDATA asking for one cell (LVN_GETDISPINFO): the text, cut
// to the list's buffer and never inside a character, the picture and the state picture
// (1-based, 0 none), as the mask asks.
inline void AnswerCell(LVITEMA& item, std::string_view text, int image, int stateImage = 0) {
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
        const std::string cut = text::BoundedText(std::string(text).c_str(), static_cast<size_t>(item.cchTextMax - 1));
        std::memcpy(item.pszText, cut.c_str(), cut.size() + 1);
    }
    if ((item.mask & LVIF_IMAGE) != 0) item.iImage = image;
    if ((item.mask & LVIF_STATE) != 0 && (item.stateMask & LVIS_STATEIMAGEMASK) != 0)
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(static_cast<UINT>(stateImage));
}

// Suspends a window's redrawing for a batch of changes; Wine's list view does heavy
// work each time redrawing comes back on, so suspend once around a batch, not per row.
class RedrawSuspension {
public:
    explicit RedrawSuspension(const Window& window) : window_(window) { window_.SetRedraw(false); }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;
    ~RedrawSuspension() {
        window_.SetRedraw(true);
        ::InvalidateRect(window_.Handle(), nullptr, TRUE);
    }

private:
    Window window_;
};
