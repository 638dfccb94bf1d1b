#include "picker/DirectoryIndex.h"

#include "directory/DirectoryWalk.h"
#include "picker/PickerRules.h"

template <class Directory>
void DirectoryIndex::BuildFrom(const Directory& directory) {
    Clear();
    // emplace keeps an earlier entry: the first in depth-first order wins.
    ForEachPerson(directory, [this](const ContactEntry& entry) { first_.emplace(NumericId(entry), &entry); });
    built_ = true;
}

void DirectoryIndex::Build(const std::vector<Company>& companies) { BuildFrom(companies); }

void DirectoryIndex::Build(const std::vector<ContactGroup>& groups) { BuildFrom(groups); }

void DirectoryIndex::Clear() {
    first_.clear();
    built_ = false;
}

const ContactEntry* DirectoryIndex::Find(int id) const {
    const auto found = first_.find(id);
    return found != first_.end() ? found->second : nullptr;
}
