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

void RemoveMemberAt(std::vector<MemberEntry>& members, int& chairmanIndex, int index) {
    if (index < 0 || static_cast<size_t>(index) >= members.size()) return;
    members.erase(members.begin() + index);
    if (chairmanIndex == index)
        chairmanIndex = -1;
    else if (chairmanIndex > index)
        --chairmanIndex;
}
