#pragma once
// Non-owning wrapper over a tab control, through the ANSI messages.
#include <string>

#include "framework/Window.h"

class TabControl : public Window {
public:
    using Window::Window;

    // Inserts a text-only item at `index`; returns its index, -1 on failure.
    int InsertItem(int index, const std::string& text) const {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(text.c_str());
        return static_cast<int>(Send(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    }
    [[nodiscard]] int GetItemCount() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }
    [[nodiscard]] int GetCurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(Send(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
    // Window rectangle to display area (larger false), or the reverse.
    void AdjustRect(bool larger, RECT* rect) const {
        Send(TCM_ADJUSTRECT, larger ? TRUE : FALSE, reinterpret_cast<LPARAM>(rect));
    }
};
