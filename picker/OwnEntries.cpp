#include "picker/OwnEntries.h"

#include "framework/Text.h"

OwnEntries::OwnEntries(std::string userId, const std::vector<ContactEntry>& chosen) : userId_(std::move(userId)) {
    for (const ContactEntry& entry : chosen) chosenNames_.insert(entry.name);
}

bool OwnEntries::Take(const ContactEntry& entry) {
    return text::EqualIgnoringCase(entry.name, userId_) && chosenNames_.insert(entry.name).second;
}
