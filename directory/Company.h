#pragma once
#include <string>
#include <vector>

#include "directory/ContactGroup.h"

// One company of the company directory.
struct Company {
    std::string name;
    std::vector<ContactGroup> groups;
};
