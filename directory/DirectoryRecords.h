#pragma once
// The records of a loaded directory document: the walks of the company directory's and
// the friends list's trees, apart from reading their files, so that they need nothing of
// the platform. The reader (directory/DirectoryReader.h) is these walks and the files.
#include <string>
#include <vector>

#include "directory/Company.h"
#include "directory/ContactEntry.h"
#include "directory/ContactGroup.h"
#include "xml/XmlElement.h"

class DirectoryRecords {
public:
    // Deeper `list` elements, and the people in them, are not read: a hostile or broken
    // file must not exhaust the stack of the host thread, and real directories are a
    // handful of levels deep.
    static constexpr int kMaxListDepth = 64;

    // The walks of a loaded root: one Company per `company` child, one ContactGroup per
    // `list` child. An XML access error or std::bad_alloc midway is caught: the records
    // appended before it stay, the one being read is dropped, and the result is false.
    static bool ReadCompanies(const XmlElement& root, std::vector<Company>& companies);
    static bool ReadFriendGroups(const XmlElement& root, std::vector<ContactGroup>& groups);

    // One ContactGroup per `list` child of `element` (which may be empty), nested groups included.
    static void ReadGroups(const XmlElement& element, std::vector<ContactGroup>& groups);
    // One ContactEntry per `entry` child of `element`, each listed under `groupName`.
    static void ReadEntries(const XmlElement& element, std::vector<ContactEntry>& entries,
                            const std::string& groupName);
    // The text of the first child element `tagName`; empty if there is none.
    static std::string ChildText(const XmlElement& element, const std::string& tagName);

private:
    // `depth` is the nesting level of the `list` children of `element`, 1 for a
    // department of a company or a group at the top of the friends list.
    static void ReadGroupsAt(const XmlElement& element, std::vector<ContactGroup>& groups, int depth);
};
