#include "picker/PickerRules.h"

#include "framework/Text.h"
#include "picker/PickerTexts.h"

std::string_view RowKey(const ContactEntry& entry) { return entry.mobile().empty() ? entry.name() : entry.mobile(); }

int NumericId(const ContactEntry& entry) { return text::ParseInt(std::string(entry.name())); }

bool HasNumericId(const ContactEntry& entry) {
    const std::string_view name = entry.name();
    size_t i = name.find_first_not_of(" \t\n\v\f\r");
    if (i != std::string::npos && (name[i] == '+' || name[i] == '-')) ++i;
    return i < name.size() && name[i] >= '0' && name[i] <= '9';
}

ContactEntry MakeTypedPerson(const std::string& name, const std::string& number) {
    return ContactEntry({}, {}, name, {}, number, {});
}

const char* TypedPersonRefusal(const std::string& name, const std::string& number,
                               const std::vector<ContactEntry>& chosen) {
    if (name.empty()) return texts::kTypedNameEmpty;
    if (number.empty()) return texts::kTypedNumberEmpty;
    for (const ContactEntry& entry : chosen)
        if (text::EqualIgnoringCase(number, std::string(entry.mobile()))) return texts::kTypedNumberChosen;
    return nullptr;
}
