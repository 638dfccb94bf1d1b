#pragma once
#include <string>
#include <vector>

#include "directory/ContactEntry.h"

// A department of the company directory or a group of the friends list.
struct ContactGroup {
    std::string name;
    std::vector<ContactEntry> entries;
    std::vector<ContactGroup> subgroups;
};
