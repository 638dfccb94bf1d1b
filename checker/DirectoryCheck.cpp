#include "checker/DirectoryCheck.h"

#include <algorithm>
#include <map>
#include <set>

#include "checker/XmlFileCheck.h"
#include "conference/MemberListRules.h"
#include "conference/MemberUri.h"
#include "directory/DirectoryReader.h"
#include "directory/DirectoryWalk.h"
#include "framework/Text.h"
#include "picker/PickerRules.h"
#include "xml/XmlAccessError.h"

namespace {

template <class Directory>
std::vector<ContactEntry> CopyPeople(const Directory& directory) {
    std::vector<ContactEntry> people;
    ForEachPerson(directory, [&people](const ContactEntry& entry) { people.push_back(entry); });
    return people;
}

std::vector<std::string> Labels(const std::vector<ContactEntry>& people) {
    std::vector<std::string> labels;
    for (const ContactEntry& person : people) labels.push_back(PersonLabel(person));
    return labels;
}

std::string Quoted(const std::string& id) { return "\"" + id + "\""; }

std::vector<std::string> QuotedAll(const std::vector<std::string>& ids) {
    std::vector<std::string> quoted;
    for (const std::string& id : ids) quoted.push_back(Quoted(id));
    return quoted;
}

// The findings that hold for either file's people.
void ReportPeople(HostReport& report, const std::string& file, const std::vector<ContactEntry>& people,
                  const std::vector<Company>& companies) {
    for (const RepeatedId& repeated : RepeatedIds(people)) {
        // Which people a host team has to tell apart, not only where they are listed.
        std::vector<std::string> listings;
        for (std::size_t i = 0; i < repeated.groups.size(); ++i)
            listings.push_back((repeated.names[i].empty() ? std::string("(no display name)") : repeated.names[i]) +
                               " in " + repeated.groups[i]);
        report.Warning(file + text::Format(": identifier %s is listed %d times: ", Quoted(repeated.id).c_str(),
                                           static_cast<int>(repeated.groups.size())) +
                       JoinShort(listings));
    }
    std::vector<ContactEntry> withoutPhone, withoutName;
    for (const ContactEntry& person : people) {
        if (person.mobile().empty() && person.phs().empty()) withoutPhone.push_back(person);
        if (person.displayName().empty()) withoutName.push_back(person);
    }
    if (!withoutPhone.empty())
        report.Warning(file + text::Format(": %d people without a mobile or PHS number (an SMS notice cannot reach them): ",
                                    static_cast<int>(withoutPhone.size())) +
                       JoinShort(Labels(withoutPhone)));
    if (!withoutName.empty())
        report.Warning(file + text::Format(": %d people without a display name (the picker shows an empty name): ", static_cast<int>(withoutName.size())) +
                       JoinShort(Labels(withoutName)));
    const std::vector<ContactEntry> lost = LostOnReopen(people, companies);
    if (!lost.empty())
        report.Warning(file + text::Format(": %d people that the member list of a reopened conference will not find or will take for "
                                    "someone else (not in the company directory, or a URI whose user part is missing or "
                                    "is another person's identifier): ",
                                    static_cast<int>(lost.size())) +
                       JoinShort(Labels(lost)));
}

// The findings of one file: groups nested past the reader's limit, then its people.
void ReportFile(HostReport& report, const std::string& file, const char* groups, int depth,
                const std::vector<ContactEntry>& people, const std::vector<Company>& companies) {
    if (depth > DirectoryReader::kMaxListDepth)
        report.Error(file + text::Format(": %s nested %d deep; those below level %d are not read, nor the people in them",
                                         groups, depth, DirectoryReader::kMaxListDepth));
    ReportPeople(report, file, people, companies);
}

}  // namespace

DirectoryCounts CountDirectory(const std::vector<ContactGroup>& groups) {
    DirectoryCounts counts;
    ForEachGroup(groups, [&counts](const ContactGroup& group) {
        ++counts.groups;
        counts.people += static_cast<int>(group.entries.size());
    });
    return counts;
}

std::vector<ContactEntry> PeopleOf(const std::vector<ContactGroup>& groups) { return CopyPeople(groups); }

std::vector<ContactEntry> PeopleOf(const std::vector<Company>& companies) { return CopyPeople(companies); }

int ListDepth(const XmlElement& element) {
    int deepest = 0;
    if (element.IsEmpty()) return deepest;
    XmlElementCursor cursor = element.GetChildren("list");
    for (XmlElement list = cursor.Next(); !list.IsEmpty(); list = cursor.Next())
        deepest = std::max(deepest, 1 + ListDepth(list));
    return deepest;
}

std::vector<RepeatedId> RepeatedIds(const std::vector<ContactEntry>& people) {
    std::map<std::string, RepeatedId> byId;
    std::vector<std::string> order;
    for (const ContactEntry& person : people) {
        if (person.name().empty()) continue;
        RepeatedId& listed = byId[std::string(person.name())];
        if (listed.groups.empty()) order.push_back(listed.id = std::string(person.name()));
        listed.names.emplace_back(person.displayName());
        listed.groups.emplace_back(person.groupName());
    }
    std::vector<RepeatedId> repeated;
    for (const std::string& id : order)
        if (byId[id].groups.size() > 1) repeated.push_back(byId[id]);
    return repeated;
}

std::vector<std::vector<std::string>> SameNumberIds(const std::vector<ContactEntry>& people) {
    std::map<int, std::vector<std::string>> idsByNumber;
    for (const ContactEntry& person : people) {
        const int number = NumericId(person);
        std::vector<std::string>& ids = idsByNumber[number];
        if (number != 0 && std::find(ids.begin(), ids.end(), person.name()) == ids.end()) ids.emplace_back(person.name());
    }
    std::vector<std::vector<std::string>> same;
    for (const auto& [number, ids] : idsByNumber)
        if (ids.size() > 1) same.push_back(ids);
    return same;
}

std::vector<std::string> NoNumberIds(const std::vector<ContactEntry>& people) {
    std::vector<std::string> ids;
    for (const ContactEntry& person : people)
        if (NumericId(person) == 0 && std::find(ids.begin(), ids.end(), person.name()) == ids.end())
            ids.emplace_back(person.name());
    return ids;
}

std::vector<ContactEntry> LostOnReopen(const std::vector<ContactEntry>& people, const std::vector<Company>& companies) {
    const MemberDirectory directory(companies);
    std::vector<ContactEntry> lost;
    std::set<std::pair<std::string, std::string>> seen;
    for (const ContactEntry& person : people) {
        if (!seen.emplace(person.name(), person.uri()).second) continue;
        const ContactEntry* found = directory.Find(MemberIdFromUri(std::string(person.uri())));
        if (found == nullptr || found->name() != person.name()) lost.push_back(person);
    }
    return lost;
}

std::string PersonLabel(const ContactEntry& person) {
    const std::string name(person.name());
    if (person.displayName().empty()) return name.empty() ? std::string("(no name, no identifier)") : name;
    return std::string(person.displayName()) + " (" + (name.empty() ? std::string("no identifier") : name) + ")";
}

void CheckDirectory(HostReport& report, const std::string& hostDirectory) {
    report.Section("directory");
    std::vector<Company> companies;
    std::vector<ContactGroup> friends;
    DirectoryReader& reader = GetDirectoryReader();

    XmlDocument departmentFile;
    const XmlElement departmentRoot = LoadReportedXml(report, departmentFile, hostDirectory, "dconf\\DepartmentInfo.xml");
    XmlDocument friendsFile;
    const XmlElement friendsRoot = LoadReportedXml(report, friendsFile, hostDirectory, "dconf\\FriendsInfo.xml");

    int companyDepth = 0, friendsDepth = 0;
    try {
        if (!departmentRoot.IsEmpty()) {
            if (!reader.ReadCompanies(departmentRoot, companies))
                report.Error("DepartmentInfo.xml: reading failed part way; the dialogs take it as unreadable");
            XmlElementCursor cursor = departmentRoot.GetChildren("company");
            for (XmlElement company = cursor.Next(); !company.IsEmpty(); company = cursor.Next())
                companyDepth = std::max(companyDepth, ListDepth(company));
        }
        if (!friendsRoot.IsEmpty()) {
            if (!reader.ReadFriendGroups(friendsRoot, friends))
                report.Error("FriendsInfo.xml: reading failed part way; the picker takes it as unreadable");
            friendsDepth = ListDepth(friendsRoot);
        }
    } catch (const XmlAccessError& error) {
        report.Error(text::Format("reading the directory failed (status 0x%08lX)", static_cast<unsigned long>(error.Status())));
    }

    if (!departmentRoot.IsEmpty()) {
        DirectoryCounts counts;
        for (const Company& company : companies) {
            const DirectoryCounts inCompany = CountDirectory(company.groups);
            counts.groups += inCompany.groups;
            counts.people += inCompany.people;
        }
        report.Note(text::Format("company directory: %d companies, %d departments, %d people, deepest nesting %d",
                                 static_cast<int>(companies.size()), counts.groups, counts.people, companyDepth));
        if (companies.empty()) report.Error("DepartmentInfo.xml: no company element under the root: the company tree is empty");
        ReportFile(report, "DepartmentInfo.xml", "departments", companyDepth, PeopleOf(companies), companies);
    }
    if (!friendsRoot.IsEmpty()) {
        const DirectoryCounts counts = CountDirectory(friends);
        report.Note(text::Format("friends list: %d groups, %d people, deepest nesting %d", counts.groups, counts.people,
                                 friendsDepth));
        if (friends.empty()) report.Warning("FriendsInfo.xml: no list element under the root: the friends tree is empty");
        ReportFile(report, "FriendsInfo.xml", "groups", friendsDepth, PeopleOf(friends), companies);
    }

    // The picker's chosen list spans both trees, so identifiers collide across the files.
    std::vector<ContactEntry> everyone = PeopleOf(companies);
    const std::vector<ContactEntry> friendPeople = PeopleOf(friends);
    everyone.insert(everyone.end(), friendPeople.begin(), friendPeople.end());
    for (const std::vector<std::string>& ids : SameNumberIds(everyone))
        report.Warning("identifiers " + JoinShort(QuotedAll(ids)) + " read as the same number: the picker counts them as one person");
    const std::vector<std::string> noNumber = NoNumberIds(everyone);
    if (!noNumber.empty())
        report.Warning("identifiers that read as no number (0): " + JoinShort(QuotedAll(noNumber)) +
                       ": the picker counts them all as one person");
}
