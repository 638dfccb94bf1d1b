#include "directory/DirectoryReader.h"

#include <new>

#include "xml/XmlAccessError.h"
#include "xml/XmlDocument.h"

DirectoryReader::~DirectoryReader() = default;

bool DirectoryReader::ReadDepartments(const std::string& path, std::vector<Company>& companies) {
    if (path.empty()) return false;
    try {
        XmlDocument document;
        const XmlElement root = document.Load(path);
        return !root.IsEmpty() && ReadCompanies(root, companies);
    } catch (const XmlAccessError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool DirectoryReader::ReadFriends(const std::string& path, std::vector<ContactGroup>& groups) {
    if (path.empty()) return false;
    try {
        XmlDocument document;
        const XmlElement root = document.Load(path);
        return !root.IsEmpty() && ReadFriendGroups(root, groups);
    } catch (const XmlAccessError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool DirectoryReader::ReadCompanies(const XmlElement& root, std::vector<Company>& companies) {
    try {
        XmlElementCursor cursor = root.GetChildren("company");
        for (XmlElement element = cursor.Next(); !element.IsEmpty(); element = cursor.Next()) {
            Company company;
            company.name = element.GetAttribute("name");
            ReadGroups(element, company.groups);
            companies.push_back(std::move(company));
        }
        return true;
    } catch (const XmlAccessError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool DirectoryReader::ReadFriendGroups(const XmlElement& root, std::vector<ContactGroup>& groups) {
    try {
        ReadGroups(root, groups);
        return true;
    } catch (const XmlAccessError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void DirectoryReader::ReadGroups(const XmlElement& element, std::vector<ContactGroup>& groups) {
    ReadGroupsAt(element, groups, 1);
}

void DirectoryReader::ReadGroupsAt(const XmlElement& element, std::vector<ContactGroup>& groups, int depth) {
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

void DirectoryReader::ReadEntries(const XmlElement& element, std::vector<ContactEntry>& entries,
                                  const std::string& groupName) {
    XmlElementCursor cursor = element.GetChildren("entry");
    for (XmlElement entry = cursor.Next(); !entry.IsEmpty(); entry = cursor.Next()) {
        ContactEntry person;
        person.groupName = groupName;
        person.name = entry.GetAttribute("name");
        person.uri = entry.GetAttribute("uri");
        person.displayName = ChildText(entry, "display-name");
        const XmlElement other = entry.GetChild("other");
        person.mobile = ChildText(other, "Mobile");
        person.phs = ChildText(other, "phs");
        entries.push_back(std::move(person));
    }
}

std::string DirectoryReader::ChildText(const XmlElement& element, const std::string& tagName) {
    if (element.IsEmpty()) return {};
    const XmlElement child = element.GetChild(tagName);
    return child.IsEmpty() ? std::string() : child.GetText();
}
