#pragma once
// The identifiers of the chosen people, counted, so that "is this person already
// chosen" costs one lookup instead of a scan of the chosen list.
#include <unordered_map>
#include <vector>

#include "directory/ContactEntry.h"

class ChosenIds {
public:
    void Rebuild(const std::vector<ContactEntry>& chosen);
    void Add(const ContactEntry& entry);
    void Remove(const ContactEntry& entry);
    [[nodiscard]] bool Contains(int id) const { return counts_.count(id) != 0; }
    void Clear() { counts_.clear(); }

private:
    std::unordered_map<int, int> counts_;  // identifier -> entries that have it (never 0)
};
