#pragma once
// What the host's two directory files hold, as the library's directory reader reads
// them, and the things in them that the dialogs will handle badly.
#include <string>
#include <vector>

#include "checker/HostReport.h"
#include "directory/Company.h"
#include "directory/ContactGroup.h"
#include "xml/XmlElement.h"

struct DirectoryCounts {
    int groups = 0;
    int people = 0;
};
[[nodiscard]] DirectoryCounts CountDirectory(const std::vector<ContactGroup>& groups);

// Every person of the groups at any depth, a group's people before its subgroups.
[[nodiscard]] std::vector<ContactEntry> PeopleOf(const std::vector<ContactGroup>& groups);
[[nodiscard]] std::vector<ContactEntry> PeopleOf(const std::vector<Company>& companies);

// The deepest nesting of `list` elements under `element` (1: a list directly under it).
[[nodiscard]] int ListDepth(const XmlElement& element);

// An identifier written more than once: the display names of the people who carry it
// and the groups they are listed under, in order.
struct RepeatedId {
    std::string id;
    std::vector<std::string> names;
    std::vector<std::string> groups;
};
[[nodiscard]] std::vector<RepeatedId> RepeatedIds(const std::vector<ContactEntry>& people);

// Distinct identifiers that the picker reads as one number (0012 and 12), one list per
// number; number 0 (no leading digits) is left to NoNumberIds.
[[nodiscard]] std::vector<std::vector<std::string>> SameNumberIds(const std::vector<ContactEntry>& people);
// Distinct identifiers that read as no number: the picker counts them all as one person.
[[nodiscard]] std::vector<std::string> NoNumberIds(const std::vector<ContactEntry>& people);

// People that the member list of a conference reopened from its record will not find,
// or will take for someone else: the record keeps the user part of each member's URI,
// and the member list looks that up in the company directory, as a name first, then as
// a URI's user part. One each, in order.
[[nodiscard]] std::vector<ContactEntry> LostOnReopen(const std::vector<ContactEntry>& people,
                                                    const std::vector<Company>& companies);

// "李明 (1002)": how a report names a person.
[[nodiscard]] std::string PersonLabel(const ContactEntry& person);

// Reads both files of `hostDirectory\dconf` with the library's reader and reports them.
void CheckDirectory(HostReport& report, const std::string& hostDirectory);
