#pragma once
// The one order in which the directory's people are met: companies in order, each
// group before its subgroups, a group's people before its subgroups' people. Moves,
// lookups, search and the checker all take "the first" person in this order.
#include <vector>

#include "directory/Company.h"
#include "directory/ContactGroup.h"

// Calls `visit(group)` for each group at any depth, a group before its subgroups.
template <class Visit>
void ForEachGroup(const std::vector<ContactGroup>& groups, Visit&& visit) {
    for (const ContactGroup& group : groups) {
        visit(group);
        ForEachGroup(group.subgroups, visit);
    }
}

template <class Visit>
void ForEachGroup(const std::vector<Company>& companies, Visit&& visit) {
    for (const Company& company : companies) ForEachGroup(company.groups, visit);
}

// Calls `visit(entry)` for each person, in the order above.
template <class Directory, class Visit>
void ForEachPerson(const Directory& directory, Visit&& visit) {
    ForEachGroup(directory, [&visit](const ContactGroup& group) {
        for (const ContactEntry& entry : group.entries) visit(entry);
    });
}
