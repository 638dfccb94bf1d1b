#include "framework/DataExchange.h"

#include "framework/SubclassedWindow.h"
#include "framework/Text.h"
#include "framework/Window.h"

namespace {

// A number is optional white space, an optional sign and at least one digit; what
// follows the digits is not looked at, as scanf's "%d" reads.
bool HoldsNumber(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    return i < s.size() && s[i] >= '0' && s[i] <= '9';
}

}  // namespace

void DataExchange::Control(int id, SubclassedWindow& control) {
    if (failed_) return;
    const HWND item = ::GetDlgItem(dialog_, id);
    if (control.Handle() == item) return;
    control.Unsubclass();
    control.Subclass(item);
}

void DataExchange::Control(int id, Window& control) {
    if (failed_) return;
    control = Window(::GetDlgItem(dialog_, id));
}

void DataExchange::Integer(int id, int& value) {
    if (failed_) return;
    const HWND item = ::GetDlgItem(dialog_, id);
    if (!saving_) {
        text::SetWindowText(item, text::Format("%d", value));
        return;
    }
    const std::string shown = text::GetWindowText(item);
    if (!HoldsNumber(shown)) {
        failed_ = true;
        failedControl_ = item;
        return;
    }
    value = text::ParseInt(shown);
}
