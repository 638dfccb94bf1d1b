#pragma once
// Reads the host's company directory (DepartmentInfo.xml) and friends list
// (FriendsInfo.xml) into records. Both read operations append, never clear, and
// report a file that cannot be read, or a read that failed midway (an XML access error,
// or memory running out), by returning false.
#include <string>
#include <vector>

#include "directory/Company.h"
#include "directory/ContactEntry.h"
#include "directory/ContactGroup.h"
#include "xml/XmlElement.h"

class DirectoryReader {
public:
    // Deeper `list` elements, and the people in them, are not read: a hostile or broken
    // file must not exhaust the stack of the host thread, and real directories are a
    // handful of levels deep.
    static constexpr int kMaxListDepth = 64;

    DirectoryReader() = default;
    DirectoryReader(const DirectoryReader&) = delete;
    DirectoryReader& operator=(const DirectoryReader&) = delete;
    virtual ~DirectoryReader();

    // One Company per `company` child of the root.
    bool ReadDepartments(const std::string& path, std::vector<Company>& companies);
    // One ContactGroup per `list` child of the root.
    bool ReadFriends(const std::string& path, std::vector<ContactGroup>& groups);

    // The walks of a loaded root. An XML access error or std::bad_alloc midway is caught:
    // the records appended before it stay, the one being read is dropped, and the result
    // is false.
    bool ReadCompanies(const XmlElement& root, std::vector<Company>& companies);
    bool ReadFriendGroups(const XmlElement& root, std::vector<ContactGroup>& groups);

    // One ContactGroup per `list` child of `element` (which may be empty), nested groups included.
    void ReadGroups(const XmlElement& element, std::vector<ContactGroup>& groups);
    // One ContactEntry per `entry` child of `element`, each listed under `groupName`.
    void ReadEntries(const XmlElement& element, std::vector<ContactEntry>& entries, const std::string& groupName);
    // The text of the first child element `tagName`; empty if there is none.
    std::string ChildText(const XmlElement& element, const std::string& tagName);

private:
    // `depth` is the nesting level of the `list` children of `element`, 1 for a
    // department of a company or a group at the top of the friends list.
    void ReadGroupsAt(const XmlElement& element, std::vector<ContactGroup>& groups, int depth);
};

DirectoryReader& GetDirectoryReader();
