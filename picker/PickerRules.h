#pragma once
// The picker's rules that need no window: row keys, identifiers and typed people.
#include <string>
#include <string_view>
#include <vector>

#include "directory/ContactEntry.h"

// The number a chosen row shows, and by which rows and entries are matched: the mobile
// number when there is one, the identifier otherwise.
[[nodiscard]] std::string_view RowKey(const ContactEntry& entry);

// A person's identifier read as a number, as atoi reads it; saturated when too long.
[[nodiscard]] int NumericId(const ContactEntry& entry);
// Whether the identifier reads as a number at all (atoi finds digits in it). Those that
// do not all read as 0 and tell nobody apart: their people are told apart by entry.
[[nodiscard]] bool HasNumericId(const ContactEntry& entry);

// A person typed in by hand: no identifier, group, URI or PHS number.
[[nodiscard]] ContactEntry MakeTypedPerson(const std::string& name, const std::string& number);

// Why a typed person is refused (the message to show), or null when it is accepted.
[[nodiscard]] const char* TypedPersonRefusal(const std::string& name, const std::string& number,
                                             const std::vector<ContactEntry>& chosen);
