#pragma once
// The member list's rules, apart from its window: who a record id finds in the
// directory, who is already on the list, and how a deletion moves the chairman.
#include <string>
#include <vector>

#include "conference/MemberEntry.h"
#include "directory/Company.h"

// Every entry with this exact name in the groups directly under each company, in
// order (people of nested groups are not found). An empty id finds nobody.
[[nodiscard]] std::vector<ContactEntry> FindDirectoryEntries(const std::vector<Company>& companies,
                                                            const std::string& id);

// The member a directory or typed entry becomes: checked, phone from mobile or PHS.
[[nodiscard]] MemberEntry MemberFromEntry(const ContactEntry& entry);

// Whether a picked entry is already on the list: a directory person by id; a typed
// person (empty name) only when a typed member already has the same phone.
[[nodiscard]] bool IsAlreadyMember(const std::vector<MemberEntry>& members, const ContactEntry& entry);

// Removes the members at `rows` (ascending) in one pass; the chairman index follows its
// person, and is cleared when the chairman is among those removed.
void RemoveMembersAt(std::vector<MemberEntry>& members, int& chairmanIndex, const std::vector<int>& rows);
