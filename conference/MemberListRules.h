#pragma once
// The member list's rules, apart from its window: who a record id finds in the
// directory, who is already on the list, and how a deletion moves the chairman.
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "conference/MemberEntry.h"
#include "directory/Company.h"

// Finds the directory person a member id stands for, through maps built once. A record
// keeps the user part of each member's URI, which is usually, not always, the person's
// name. Looked up at any depth; the first in depth-first order wins (companies in order,
// a group's people before its subgroups). An empty id finds nobody. The directory must
// outlive the index and stay unchanged.
class MemberDirectory {
public:
    // Finds nobody.
    MemberDirectory() = default;
    explicit MemberDirectory(const std::vector<Company>& companies);

    // An id from a record: by name, or failing that by the user part of the URI; null
    // when neither finds one.
    [[nodiscard]] const ContactEntry* Find(const std::string& id) const;
    // A member already on the list, whose id is a person's name: by that name alone, so
    // that another person whose URI happens to carry it is never taken for the member.
    [[nodiscard]] const ContactEntry* FindByName(const std::string& name) const;

private:
    // Keys are views into the directory's own texts; sorted by key, and for one key in
    // depth-first order, so that the first match is the one the walk met first. Sorted
    // vectors rather than hash maps: a directory of 100,000 people costs 5 MB, not 12.
    using Keys = std::vector<std::pair<std::string_view, const ContactEntry*>>;
    static void Sort(Keys& keys);
    [[nodiscard]] static const ContactEntry* Lookup(const Keys& keys, std::string_view key);

    Keys byName;
    Keys byUriUser;
};

// The member a directory or typed entry becomes: checked, phone from mobile or PHS.
[[nodiscard]] MemberEntry MemberFromEntry(const ContactEntry& entry);

// Who is on the list, to tell whether a picked entry already is: a directory person by
// id; a typed person (empty name) only when a typed member already has the same phone.
class MemberKeys {
public:
    explicit MemberKeys(const std::vector<MemberEntry>& members);

    [[nodiscard]] bool Contains(const ContactEntry& entry) const;
    void Add(const MemberEntry& member);

private:
    std::unordered_set<std::string> ids;
    std::unordered_set<std::string> typedPhones;
};

// Where the row at `index` (-1: none) stands once the rows at `removed` (ascending) are
// gone: it follows its person, and is -1 when that person is among those removed.
[[nodiscard]] int IndexAfterRemoval(int index, const std::vector<int>& removed);
