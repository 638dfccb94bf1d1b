#include "picker/PickerRules.h"

#include "framework/Text.h"
#include "picker/PickerTexts.h"
#include "res/resource.h"

std::string_view RowKey(const ContactEntry& entry) { return entry.mobile().empty() ? entry.name() : entry.mobile(); }

int NumericId(const ContactEntry& entry) { return text::ParseInt(std::string(entry.name())); }

ContactEntry MakeTypedPerson(const std::string& name, const std::string& number) {
    return ContactEntry({}, {}, name, {}, number, {});
}

const char* TypedPersonRefusal(const std::string& name, const std::string& number,
                               const std::vector<ContactEntry>& chosen) {
    if (name.empty()) return texts::kTypedNameEmpty;
    if (number.empty()) return texts::kTypedNumberEmpty;
    for (const ContactEntry& entry : chosen)
        if (text::EqualIgnoringCase(number, std::string(entry.mobile()))) return texts::kTypedNumberChosen;
    return nullptr;
}

std::vector<ContactEntry> RemoveRows(std::vector<ContactEntry>& entries, const std::vector<int>& rows) {
    std::vector<ContactEntry> removed;
    std::size_t kept = 0;
    auto row = rows.begin();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        while (row != rows.end() && *row < static_cast<int>(i)) ++row;
        if (row != rows.end() && *row == static_cast<int>(i)) {
            removed.push_back(std::move(entries[i]));
        } else {
            if (kept != i) entries[kept] = std::move(entries[i]);
            ++kept;
        }
    }
    entries.resize(kept);
    return removed;
}

PickerLayout ComputePickerLayout(const RECT& client) {
    const int l = client.left, t = client.top, r = client.right, b = client.bottom;
    const int w = (r - l - 51) / 2;
    PickerLayout layout;
    layout.tabs = RECT{l + 10, t + 5, l + 10 + w, b - 63};
    const int listLeft = l + w + 41;
    layout.placements = {
        {IDC_PICKER_TABS, l + 10, t + 5, w, b - t - 68},
        {IDC_PICKER_NAME_LABEL, l + 10, b - 53, 30, 20},
        {IDC_PICKER_NAME, l + 43, b - 53, w - 86, 20},
        {IDC_PICKER_NUMBER_LABEL, l + 10, b - 28, 30, 20},
        {IDC_TYPED_NUMBER, l + 43, b - 28, w - 86, 20},
        {IDC_ADD_TYPED, l + w - 40, b - 28, 50, 20},
        // Measured from 0, not from the top: the client rectangle's top is 0.
        {IDC_MOVE, l + w + 13, (b - t - 68) / 2 + 5, 25, 20},
        {IDC_CHOSEN_LIST, listLeft, t + 5, r - 10 - listLeft, b - t - 38},
        {IDC_REMOVE_CHOSEN, l + w + 51, b - 28, 40, 20},
        {IDOK, r - 60, b - 28, 40, 20},
    };
    return layout;
}
