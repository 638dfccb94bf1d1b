#include "directory/DirectoryRecords.h"

#include <new>
#include <utility>

#include "xml/XmlElementCursor.h"
#include "xml/XmlError.h"

namespace {

// Whether `read` ran to its end; false when an XML access error or memory running out
// stops it midway.
template <typename Read>
bool Guarded(Read&& read) {
    try {
        read();
        return true;
    } catch (const XmlError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

bool DirectoryRecords::ReadCompanies(const XmlElement& root, std::vector<Company>& companies) {
    return Guarded([&] {
        XmlElementCursor cursor = root.GetChildren("company");
        for (XmlElement element = cursor.Next(); !element.IsEmpty(); element = cursor.Next()) {
            Company company;
            company.name = element.GetAttribute("name");
            ReadGroups(element, company.groups);
            companies.push_back(std::move(company));
        }
    });
}

bool DirectoryRecords::ReadFriendGroups(const XmlElement& root, std::vector<ContactGroup>& groups) {
    return Guarded([&] { ReadGroups(root, groups); });
}

void DirectoryRecords::ReadGroups(const XmlElement& element, std::vector<ContactGroup>& groups) {
    ReadGroupsAt(element, groups, 1);
}

void DirectoryRecords::ReadGroupsAt(const XmlElement& element, std::vector<ContactGroup>& groups, int depth) {
    if (element.IsEmpty() || depth > kMaxListDepth) return;
    XmlElementCursor cursor = element.GetChildren("list");
    for (XmlElement list = cursor.Next(); !list.IsEmpty(); list = cursor.Next()) {
        ContactGroup group;
        group.name = list.GetAttribute("name");
        ReadEntries(list, group.entries, group.name);
        ReadGroupsAt(list, group.subgroups, depth + 1);
        groups.push_back(std::move(group));
    }
}

void DirectoryRecords::ReadEntries(const XmlElement& element, std::vector<ContactEntry>& entries,
                                   const std::string& groupName) {
    XmlElementCursor cursor = element.GetChildren("entry");
    // Counted first: a large department's people take no more room than they need.
    size_t count = 0;
    while (!cursor.Next().IsEmpty()) ++count;
    entries.reserve(entries.size() + count);
    cursor = element.GetChildren("entry");
    for (XmlElement entry = cursor.Next(); !entry.IsEmpty(); entry = cursor.Next()) {
        const XmlElement other = entry.GetChild("other");
        entries.emplace_back(groupName, entry.GetAttribute("name"), ChildText(entry, "display-name"),
                             entry.GetAttribute("uri"), ChildText(other, "Mobile"), ChildText(other, "phs"));
    }
}

std::string DirectoryRecords::ChildText(const XmlElement& element, const std::string& tagName) {
    if (element.IsEmpty()) return {};
    const XmlElement child = element.GetChild(tagName);
    return child.IsEmpty() ? std::string() : child.GetText();
}
