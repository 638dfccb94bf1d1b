#pragma once
#include "framework/Window.h"

class Header : public Window {
public:
    using Window::Window;
    [[nodiscard]] bool GetItem(int index, HDITEMA& item) const {
        return Send(HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != 0;
    }
    void SetItem(int index, const HDITEMA& item) const {
        Send(HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
};
