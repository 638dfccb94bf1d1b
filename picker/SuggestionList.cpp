#include "picker/SuggestionList.h"

#include <algorithm>
#include <iterator>

#include "framework/Dpi.h"
#include "framework/Module.h"
#include "framework/Text.h"
#include "framework/Window.h"
#include "picker/PickerRules.h"
#include "picker/PickerTexts.h"

namespace {

constexpr int kListWidth = 380;
// Columns in dialog template units of the list's font: name, group, number.
constexpr int kTabStops[] = {64, 136};

bool IsListKey(LPARAM message) {
    const auto* msg = reinterpret_cast<const MSG*>(message);
    return msg != nullptr && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE);
}

std::string RowText(const SearchHit& hit) {
    std::string text(hit.entry->displayName());
    ((text += '\t') += hit.entry->groupName()) += '\t';
    return text += RowKey(*hit.entry);
}

}  // namespace

SuggestionList::SuggestionList() : list_(*this) {}

SuggestionList::~SuggestionList() { Detach(); }

void SuggestionList::Attach(HWND picker, const std::vector<HWND>& edits, const std::vector<Company>& companies,
                            const std::vector<ContactGroup>& friends, Pick pick) {
    Detach();
    index_.Build(companies, friends);
    pick_ = std::move(pick);
    for (HWND edit : edits) {
        edits_.push_back(std::make_unique<EditKeys>(*this));
        edits_.back()->Subclass(edit);
    }
    // A top-level popup owned by the picker, so that it may reach below the dialog; it is
    // never activated, so the edit keeps the focus and the picker stays the active window.
    // As wide at the picker's DPI as at 96, so that the number column stays in; the tab
    // stops are in the font's own units and grow with it.
    listWidth_ = ScaleForDpi(kListWidth, WindowDpi(picker));
    const HWND list = ::CreateWindowExA(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, "LISTBOX", "",
                                        WS_POPUP | WS_BORDER | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT, 0, 0,
                                        listWidth_, 10, picker, nullptr, ModuleHandle(), nullptr);
    if (list == nullptr) return;
    if (!edits.empty()) {
        const auto font = static_cast<WPARAM>(Window(edits.front()).Send(WM_GETFONT));
        ::SendMessageA(list, WM_SETFONT, font, FALSE);
    }
    ::SendMessageA(list, LB_SETTABSTOPS, std::size(kTabStops), reinterpret_cast<LPARAM>(kTabStops));
    list_.Subclass(list);
    // The window system does its first-time work for a window (creating, mapping, the
    // surface to paint on) on its first showing: here, out of sight, rather than on the
    // user's first keystroke.
    ::SetWindowPos(list, HWND_TOP, -32000, -32000, listWidth_, 10, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::UpdateWindow(list);
    ::ShowWindow(list, SW_HIDE);
}

void SuggestionList::Detach() {
    Close();
    const HWND list = list_.Handle();
    list_.Unsubclass();
    if (list != nullptr && ::IsWindow(list)) ::DestroyWindow(list);
    edits_.clear();
    rows_.clear();
    index_.Clear();
    pick_ = nullptr;
}

void SuggestionList::OnTextChanged(HWND edit) {
    if (list_.Handle() == nullptr) return;
    // Only for the user's own typing: a list with no focus in its edit would never close.
    if (::GetFocus() != edit) {
        Close();
        return;
    }
    shown_ = index_.Find(Window(edit).GetText(), kRows);
    if (shown_.hits.empty()) {
        Close();
        return;
    }
    Show(edit);
}

void SuggestionList::Show(HWND edit) {
    const Window list(list_.Handle());
    std::vector<std::string> rows;
    for (const SearchHit& hit : shown_.hits) rows.push_back(RowText(hit));
    if (shown_.total > shown_.hits.size())
        rows.push_back(text::Format(texts::kMoreSuggestions, static_cast<unsigned>(shown_.total)));
    // Only the rows that differ from those shown: each one changed is painted again.
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i < rows_.size()) {
            if (rows_[i] == rows[i]) continue;
            list.Send(LB_DELETESTRING, i);
        }
        list.Send(LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(rows[i].c_str()));
    }
    for (size_t i = rows_.size(); i > rows.size(); --i) list.Send(LB_DELETESTRING, i - 1);
    rows_ = std::move(rows);
    list.Send(LB_SETCURSEL, 0);

    // Below the edit, or above it where the screen ends.
    const RECT below = Window(edit).WindowRect();
    const int count = static_cast<int>(list.Send(LB_GETCOUNT));
    const int height = count * static_cast<int>(list.Send(LB_GETITEMHEIGHT, 0)) + 2 * ::GetSystemMetrics(SM_CYBORDER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(edit, MONITOR_DEFAULTTONEAREST), &monitor);
    int top = below.bottom;
    if (top + height > monitor.rcWork.bottom && below.top - height >= monitor.rcWork.top) top = below.top - height;
    const int width = std::max<int>(listWidth_, below.right - below.left);
    // Moving and showing a top-level window costs round trips to the window system: only
    // when something changed.
    const RECT now = list.WindowRect();
    if (now.left != below.left || now.top != top || now.right - now.left != width || now.bottom - now.top != height)
        ::SetWindowPos(list.Handle(), HWND_TOP, below.left, top, width, height, SWP_NOACTIVATE);
    if (!::IsWindowVisible(list.Handle())) ::ShowWindow(list.Handle(), SW_SHOWNOACTIVATE);
    openFor_ = edit;
    AnnounceHighlight(0);
}

void SuggestionList::Close() {
    openFor_ = nullptr;
    shown_ = SearchResult{};
    if (list_.Handle() != nullptr) ::ShowWindow(list_.Handle(), SW_HIDE);
}

bool SuggestionList::OnListKey(WPARAM key) {
    const int selected = static_cast<int>(Window(list_.Handle()).Send(LB_GETCURSEL));
    switch (key) {
    case VK_DOWN:
        Highlight(selected + 1);
        return true;
    case VK_UP:
        Highlight(selected - 1);
        return true;
    case VK_RETURN:
        PickRow(selected);
        return true;
    case VK_ESCAPE:
        Close();
        return true;
    default:
        return false;
    }
}

// Only the rows of people: the count row below them is not one to pick.
void SuggestionList::Highlight(int row) {
    const Window list(list_.Handle());
    const int last = static_cast<int>(shown_.hits.size()) - 1;
    const int target = std::clamp(row, 0, std::max(last, 0));
    if (target == static_cast<int>(list.Send(LB_GETCURSEL))) return;
    list.Send(LB_SETCURSEL, static_cast<WPARAM>(target));
    AnnounceHighlight(target);
}

// The edit keeps the focus, so a screen reader hears of the highlight only from here:
// the highlighted row stands as the focused and selected child of the list.
void SuggestionList::AnnounceHighlight(int row) const {
    const LONG child = row + 1;
    ::NotifyWinEvent(EVENT_OBJECT_FOCUS, list_.Handle(), OBJID_CLIENT, child);
    ::NotifyWinEvent(EVENT_OBJECT_SELECTION, list_.Handle(), OBJID_CLIENT, child);
}

void SuggestionList::PickRow(int row) {
    if (row < 0 || static_cast<size_t>(row) >= shown_.hits.size()) return;
    const SearchHit hit = shown_.hits[static_cast<size_t>(row)];
    const HWND edit = openFor_;
    Close();
    if (pick_) pick_(*hit.entry, hit.friends);
    // Ready for the next name.
    Window(edit).SetText("");
    ::SetFocus(edit);
}

bool SuggestionList::EditKeys::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_GETDLGCODE:
        // Enter and Esc would otherwise end the dialog before the edit sees them.
        if (!owner_.IsOpenFor(Handle())) return false;
        result = Default();
        if (IsListKey(lParam)) result |= DLGC_WANTMESSAGE;
        return true;
    case WM_KEYDOWN:
        if (!owner_.IsOpenFor(Handle()) || !owner_.OnListKey(wParam)) return false;
        swallowChar_ = wParam == VK_RETURN || wParam == VK_ESCAPE;
        result = 0;
        return true;
    case WM_CHAR:
        if (swallowChar_ && (wParam == '\r' || wParam == 0x1B)) {
            swallowChar_ = false;
            result = 0;
            return true;
        }
        swallowChar_ = false;
        return false;
    case WM_KILLFOCUS:
        owner_.Close();
        return false;
    default:
        return false;
    }
}

bool SuggestionList::ListWindow::DispatchMessageMap(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_MOUSEACTIVATE:
        result = MA_NOACTIVATE;
        return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: {
        // Handled here rather than by the list box, which would take the focus.
        const auto at = static_cast<DWORD>(::SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, lParam));
        const int row = HIWORD(at) == 0 ? static_cast<int>(LOWORD(at)) : -1;
        if (row >= 0 && static_cast<size_t>(row) < owner_.shown_.hits.size()) {
            owner_.Highlight(row);
            if (message == WM_LBUTTONDOWN) owner_.PickRow(row);
        }
        result = 0;
        return true;
    }
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        result = 0;
        return true;
    default:
        return false;
    }
}
