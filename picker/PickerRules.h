#pragma once
// The picker's rules that need no window: row keys, identifiers, typed people and layout.
#include <windows.h>
#include <string>
#include <string_view>
#include <vector>

#include "directory/ContactEntry.h"

// The number a chosen row shows, and by which rows and entries are matched: the mobile
// number when there is one, the identifier otherwise.
[[nodiscard]] std::string_view RowKey(const ContactEntry& entry);

// A person's identifier read as a number, as atoi reads it; saturated when too long.
[[nodiscard]] int NumericId(const ContactEntry& entry);

// A person typed in by hand: no identifier, group, URI or PHS number.
[[nodiscard]] ContactEntry MakeTypedPerson(const std::string& name, const std::string& number);

// Why a typed person is refused (the message to show), or null when it is accepted.
[[nodiscard]] const char* TypedPersonRefusal(const std::string& name, const std::string& number,
                                             const std::vector<ContactEntry>& chosen);

// Removes the entries at `rows` (ascending; rows past the end are ignored) in one pass,
// the others keeping their order, and gives back the removed ones.
std::vector<ContactEntry> RemoveRows(std::vector<ContactEntry>& entries, const std::vector<int>& rows);

// Where the picker's controls go for a client rectangle. The trees take the display
// area of `tabs`, which only the tab control itself can compute.
struct PickerLayout {
    struct Placement {
        int id;
        int x, y, width, height;
    };
    RECT tabs{};                          // window rectangle of the tab control
    std::vector<Placement> placements;    // in placing order; the trees come right after the tabs
};
[[nodiscard]] PickerLayout ComputePickerLayout(const RECT& client);
