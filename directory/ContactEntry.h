#pragma once
#include <string>

// One person of a directory file, read from one `entry` element.
struct ContactEntry {
    std::string groupName;    // name of the enclosing `list`
    std::string name;         // the person's identifier, a decimal number as text
    std::string displayName;  // the name shown to the user
    std::string uri;
    std::string mobile;
    std::string phs;
};
