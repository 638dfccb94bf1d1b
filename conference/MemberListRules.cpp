#include "conference/MemberListRules.h"

#include <algorithm>

#include "conference/RequestDocument.h"

MemberDirectory::MemberDirectory(const std::vector<Company>& companies) {
    for (const Company& company : companies) AddGroups(company.groups);
    Sort(byName);
    Sort(byUriUser);
}

void MemberDirectory::AddGroups(const std::vector<ContactGroup>& groups) {
    for (const ContactGroup& group : groups) {
        for (const ContactEntry& entry : group.entries) {
            if (!entry.name().empty()) byName.emplace_back(entry.name(), &entry);
            const std::string_view uriUser = MemberIdViewFromUri(entry.uri());
            if (!uriUser.empty()) byUriUser.emplace_back(uriUser, &entry);
        }
        AddGroups(group.subgroups);
    }
}

void MemberDirectory::Sort(Keys& keys) {
    // Stable: people under one key stay in the order the walk met them.
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

const ContactEntry* MemberDirectory::Lookup(const Keys& keys, std::string_view key) {
    const auto first = std::lower_bound(keys.begin(), keys.end(), key,
                                        [](const auto& entry, std::string_view k) { return entry.first < k; });
    return first != keys.end() && first->first == key ? first->second : nullptr;
}

const ContactEntry* MemberDirectory::Find(const std::string& id) const {
    if (id.empty()) return nullptr;
    if (const ContactEntry* named = Lookup(byName, id)) return named;
    return Lookup(byUriUser, id);
}

MemberEntry MemberFromEntry(const ContactEntry& entry) {
    MemberEntry member;
    member.checked = 1;
    member.id = std::string(entry.name());
    member.phone = std::string(entry.mobile().empty() ? entry.phs() : entry.mobile());
    member.uri = std::string(entry.uri());
    member.displayName = std::string(entry.displayName());
    member.groupName = std::string(entry.groupName());
    return member;
}

MemberKeys::MemberKeys(const std::vector<MemberEntry>& members) {
    for (const MemberEntry& member : members) Add(member);
}

bool MemberKeys::Contains(const ContactEntry& entry) const {
    if (!entry.name().empty()) return ids.count(std::string(entry.name())) != 0;
    return typedPhones.count(std::string(entry.mobile().empty() ? entry.phs() : entry.mobile())) != 0;
}

void MemberKeys::Add(const MemberEntry& member) {
    if (member.id.empty())
        typedPhones.insert(member.phone);
    else
        ids.insert(member.id);
}

void RemoveMembersAt(std::vector<MemberEntry>& members, int& chairmanIndex, const std::vector<int>& rows) {
    int chairman = -1;
    size_t kept = 0;
    auto row = rows.begin();
    for (size_t i = 0; i < members.size(); ++i) {
        while (row != rows.end() && *row < static_cast<int>(i)) ++row;
        if (row != rows.end() && *row == static_cast<int>(i)) continue;
        if (static_cast<int>(i) == chairmanIndex) chairman = static_cast<int>(kept);
        if (kept != i) members[kept] = std::move(members[i]);
        ++kept;
    }
    members.resize(kept);
    chairmanIndex = chairman;
}
