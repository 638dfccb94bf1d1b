#pragma once
#include "framework/Window.h"

class DateTimePicker : public Window {
public:
    using Window::Window;
    // False when the control reports no valid date.
    [[nodiscard]] bool GetSystemTime(SYSTEMTIME& time) const {
        return Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID;
    }
    void SetSystemTime(const SYSTEMTIME& time) const {
        Send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
};
