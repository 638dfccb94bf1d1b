#include "conference/MemberListRules.h"

std::vector<ContactEntry> FindDirectoryEntries(const std::vector<Company>& companies, const std::string& id) {
    std::vector<ContactEntry> found;
    if (id.empty()) return found;
    for (const Company& company : companies)
        for (const ContactGroup& group : company.groups)
            for (const ContactEntry& entry : group.entries)
                if (entry.name == id) found.push_back(entry);
    return found;
}

MemberEntry MemberFromEntry(const ContactEntry& entry) {
    MemberEntry member;
    member.checked = 1;
    member.id = entry.name;
    member.phone = entry.mobile.empty() ? entry.phs : entry.mobile;
    member.uri = entry.uri;
    return member;
}

bool IsAlreadyMember(const std::vector<MemberEntry>& members, const ContactEntry& entry) {
    const MemberEntry candidate = MemberFromEntry(entry);
    for (const MemberEntry& member : members) {
        if (!candidate.id.empty() && member.id == candidate.id) return true;
        if (candidate.id.empty() && member.id.empty() && member.phone == candidate.phone) return true;
    }
    return false;
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
