#include "conference/MemberListRules.h"

#include "conference/RequestDocument.h"

MemberDirectory::MemberDirectory(const std::vector<Company>& companies) {
    for (const Company& company : companies) AddGroups(company.groups);
}

void MemberDirectory::AddGroups(const std::vector<ContactGroup>& groups) {
    for (const ContactGroup& group : groups) {
        // emplace keeps the first person under a key: the one a depth-first walk meets first.
        for (const ContactEntry& entry : group.entries) {
            if (!entry.name.empty()) byName.emplace(entry.name, &entry);
            std::string uriUser = MemberIdFromUri(entry.uri);
            if (!uriUser.empty()) byUriUser.emplace(std::move(uriUser), &entry);
        }
        AddGroups(group.subgroups);
    }
}

const ContactEntry* MemberDirectory::Find(const std::string& id) const {
    if (id.empty()) return nullptr;
    if (const auto named = byName.find(id); named != byName.end()) return named->second;
    if (const auto byUri = byUriUser.find(id); byUri != byUriUser.end()) return byUri->second;
    return nullptr;
}

MemberEntry MemberFromEntry(const ContactEntry& entry) {
    MemberEntry member;
    member.checked = 1;
    member.id = entry.name;
    member.phone = entry.mobile.empty() ? entry.phs : entry.mobile;
    member.uri = entry.uri;
    member.displayName = entry.displayName;
    member.groupName = entry.groupName;
    return member;
}

MemberKeys::MemberKeys(const std::vector<MemberEntry>& members) {
    for (const MemberEntry& member : members) Add(member);
}

bool MemberKeys::Contains(const ContactEntry& entry) const {
    if (!entry.name.empty()) return ids.count(entry.name) != 0;
    return typedPhones.count(entry.mobile.empty() ? entry.phs : entry.mobile) != 0;
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
