#include "picker/DirectoryIndex.h"

#include "picker/PickerRules.h"

void DirectoryIndex::Build(const std::vector<Company>& companies) {
    Clear();
    for (const Company& company : companies) AddGroups(company.groups);
    built_ = true;
}

void DirectoryIndex::Build(const std::vector<ContactGroup>& groups) {
    Clear();
    AddGroups(groups);
    built_ = true;
}

void DirectoryIndex::Clear() {
    first_.clear();
    built_ = false;
}

const ContactEntry* DirectoryIndex::Find(int id) const {
    const auto found = first_.find(id);
    return found != first_.end() ? found->second : nullptr;
}

void DirectoryIndex::AddGroups(const std::vector<ContactGroup>& groups) {
    for (const ContactGroup& group : groups) {
        // emplace keeps an earlier entry: the first in depth-first order wins.
        for (const ContactEntry& entry : group.entries) first_.emplace(NumericId(entry), &entry);
        AddGroups(group.subgroups);
    }
}
