#include "conference/MemberListRules.h"

#include <algorithm>

#include "conference/MemberUri.h"
#include "directory/DirectoryWalk.h"

MemberDirectory::MemberDirectory(const std::vector<Company>& companies) {
    ForEachPerson(companies, [this](const ContactEntry& entry) {
        if (!entry.name().empty()) byName.emplace_back(entry.name(), &entry);
        const std::string_view uriUser = MemberIdViewFromUri(entry.uri());
        if (!uriUser.empty()) byUriUser.emplace_back(uriUser, &entry);
    });
    Sort(byName);
    Sort(byUriUser);
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
    if (const ContactEntry* named = FindByName(id)) return named;
    return id.empty() ? nullptr : Lookup(byUriUser, id);
}

const ContactEntry* MemberDirectory::FindByName(const std::string& name) const {
    return name.empty() ? nullptr : Lookup(byName, name);
}

MemberEntry MemberFromEntry(const ContactEntry& entry) {
    MemberEntry member;
    member.checked = true;
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

int IndexAfterRemoval(int index, const std::vector<int>& removed) {
    if (index < 0) return -1;
    const auto before = std::lower_bound(removed.begin(), removed.end(), index);
    if (before != removed.end() && *before == index) return -1;
    return index - static_cast<int>(before - removed.begin());
}
