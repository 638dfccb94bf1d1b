#pragma once
// Identifier -> the first person with that identifier in depth-first order (a group's
// people before its subgroups, companies in order): the entry a move takes, found
// without rescanning the directory for every moved person.
#include <unordered_map>
#include <vector>

#include "directory/Company.h"
#include "directory/ContactGroup.h"

class DirectoryIndex {
public:
    // The records must outlive the index and stay unchanged while it is used.
    void Build(const std::vector<Company>& companies);
    void Build(const std::vector<ContactGroup>& groups);
    void Clear();
    [[nodiscard]] bool IsBuilt() const { return built_; }
    // The first person with this identifier, or null.
    [[nodiscard]] const ContactEntry* Find(int id) const;

private:
    template <class Directory>
    void BuildFrom(const Directory& directory);

    std::unordered_map<int, const ContactEntry*> first_;
    bool built_ = false;
};
