#pragma once
// Reads the company directory and the friends list into records.
#include <string>
#include <vector>

#include "directory/Company.h"
#include "xml/XmlElement.h"

class DirectoryReader {
public:
    virtual ~DirectoryReader() = default;

    // Appends one Company per `company` child of the root. False when the file gives no
    // root, or when reading it failed part way (what was read stays appended).
    bool ReadDepartments(const std::string& path, std::vector<Company>& companies);
    // Appends one ContactGroup per `list` child of the root; false as above.
    bool ReadFriends(const std::string& path, std::vector<ContactGroup>& groups);
    // Appends one ContactGroup per `list` child of `element` (which may be empty).
    void ReadGroups(const XmlElement& element, std::vector<ContactGroup>& groups);
    // Appends one ContactEntry per `entry` child of `element`, listed under `groupName`.
    void ReadEntries(const XmlElement& element, std::vector<ContactEntry>& entries, const std::string& groupName);
    // The text of the first child named `tagName`, or the empty text.
    [[nodiscard]] std::string ChildText(const XmlElement& element, const std::string& tagName);

private:
    void ReadGroupsAt(const XmlElement& element, std::vector<ContactGroup>& groups, int depth);
    ContactGroup ReadGroup(const XmlElement& list, int depth);
};

DirectoryReader& GetDirectoryReader();
