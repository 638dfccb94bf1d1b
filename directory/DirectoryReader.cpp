#include "directory/DirectoryReader.h"

#include "xml/XmlAccessError.h"
#include "xml/XmlDocument.h"

namespace {
// Groups nested deeper than this are not read (neither they nor their people), so that
// a broken or hostile file cannot exhaust the stack. Real directories are a few deep.
constexpr int kMaxGroupDepth = 64;
}  // namespace

bool DirectoryReader::ReadDepartments(const std::string& path, std::vector<Company>& companies) {
    if (path.empty()) return false;
    XmlDocument document;
    const XmlElement root = document.Load(path);
    if (root.IsEmpty()) return false;
    try {
        XmlElementCursor cursor = root.GetChildren("company");
        for (XmlElement company = cursor.Next(); !company.IsEmpty(); company = cursor.Next()) {
            Company record;
            record.name = company.GetAttribute("name");
            ReadGroups(company, record.groups);
            companies.push_back(std::move(record));
        }
    } catch (const XmlAccessError&) {
        return false;
    }
    return true;
}

bool DirectoryReader::ReadFriends(const std::string& path, std::vector<ContactGroup>& groups) {
    if (path.empty()) return false;
    XmlDocument document;
    const XmlElement root = document.Load(path);
    if (root.IsEmpty()) return false;
    try {
        XmlElementCursor cursor = root.GetChildren("list");
        for (XmlElement list = cursor.Next(); !list.IsEmpty(); list = cursor.Next())
            groups.push_back(ReadGroup(list, 1));
    } catch (const XmlAccessError&) {
        return false;
    }
    return true;
}

void DirectoryReader::ReadGroups(const XmlElement& element, std::vector<ContactGroup>& groups) {
    ReadGroupsAt(element, groups, 1);
}

void DirectoryReader::ReadGroupsAt(const XmlElement& element, std::vector<ContactGroup>& groups, int depth) {
    if (element.IsEmpty() || depth > kMaxGroupDepth) return;
    XmlElementCursor cursor = element.GetChildren("list");
    for (XmlElement list = cursor.Next(); !list.IsEmpty(); list = cursor.Next())
        groups.push_back(ReadGroup(list, depth));
}

ContactGroup DirectoryReader::ReadGroup(const XmlElement& list, int depth) {
    ContactGroup group;
    group.name = list.GetAttribute("name");
    ReadEntries(list, group.entries, group.name);
    ReadGroupsAt(list, group.subgroups, depth + 1);
    return group;
}

void DirectoryReader::ReadEntries(const XmlElement& element, std::vector<ContactEntry>& entries,
                                  const std::string& groupName) {
    XmlElementCursor cursor = element.GetChildren("entry");
    for (XmlElement entry = cursor.Next(); !entry.IsEmpty(); entry = cursor.Next()) {
        ContactEntry record;
        record.groupName = groupName;
        record.name = entry.GetAttribute("name");
        record.uri = entry.GetAttribute("uri");
        record.displayName = ChildText(entry, "display-name");
        const XmlElement other = entry.GetChild("other");
        record.mobile = ChildText(other, "Mobile");
        record.phs = ChildText(other, "phs");
        entries.push_back(std::move(record));
    }
}

std::string DirectoryReader::ChildText(const XmlElement& element, const std::string& tagName) {
    if (element.IsEmpty()) return {};
    const XmlElement child = element.GetChild(tagName);
    return child.IsEmpty() ? std::string() : child.GetText();
}
