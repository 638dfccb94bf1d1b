#include "picker/OwnEntries.h"

#include "framework/Text.h"

OwnEntries::OwnEntries(std::string userId, const std::vector<ContactEntry>& chosen) : userId_(std::move(userId)) {
    for (const ContactEntry& entry : chosen) chosenNames_.emplace(entry.name());
}

bool OwnEntries::Take(const ContactEntry& entry) {
    const std::string name(entry.name());
    return text::EqualIgnoringCase(name, userId_) && chosenNames_.insert(name).second;
}
