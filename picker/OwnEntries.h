#pragma once
// The user's own entries, which start chosen when the trees are filled: a person whose
// identifier is the user's (ignoring the case of single-byte letters) joins the chosen
// people unless a chosen person already has that identifier text, exactly.
#include <string>
#include <unordered_set>
#include <vector>

#include "directory/ContactEntry.h"

class OwnEntries {
public:
    // `chosen`: the people chosen before the trees are filled.
    OwnEntries(std::string userId, const std::vector<ContactEntry>& chosen);

    // Whether `entry` joins the chosen people; if so, its identifier now counts as chosen.
    [[nodiscard]] bool Take(const ContactEntry& entry);

private:
    std::string userId_;
    // A set, not a scan of the chosen people: with an empty user identifier every person
    // without one is the user's, and a directory may have thousands of them.
    std::unordered_set<std::string> chosenNames_;
};
