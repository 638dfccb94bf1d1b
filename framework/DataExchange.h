#pragma once
// Data exchange between a dialog's controls and its values, in the manner of the
// class library: one call per control or value, in a fixed order, and the first value
// that cannot be read stops the exchange.
#include <windows.h>

class SubclassedWindow;
class Window;

class DataExchange {
public:
    // `saving`: from the controls into the values; otherwise from the values to the controls.
    DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    [[nodiscard]] bool Saving() const { return saving_; }
    [[nodiscard]] bool Failed() const { return failed_; }

    // Binds `control` to the dialog's control `id`; a bound control stays bound.
    void Control(int id, SubclassedWindow& control);
    void Control(int id, Window& control);
    // `value` shown as a plain decimal number. Reading a field that holds no number
    // stops the exchange: this value and those after it keep what they held.
    void Integer(int id, int& value);
    // The field that stopped the exchange; null while none has.
    [[nodiscard]] HWND FailedControl() const { return failedControl_; }

private:
    HWND dialog_;
    bool saving_;
    bool failed_ = false;
    HWND failedControl_ = nullptr;
};
