#include "picker/ChosenIds.h"

#include "picker/PickerRules.h"

void ChosenIds::Rebuild(const std::vector<ContactEntry>& chosen) {
    counts_.clear();
    for (const ContactEntry& entry : chosen) Add(entry);
}

void ChosenIds::Add(const ContactEntry& entry) { ++counts_[NumericId(entry)]; }

void ChosenIds::Remove(const ContactEntry& entry) {
    const auto found = counts_.find(NumericId(entry));
    if (found != counts_.end() && --found->second == 0) counts_.erase(found);
}
