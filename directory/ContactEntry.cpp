#include "directory/ContactEntry.h"

ContactEntry::ContactEntry(std::string_view groupName, std::string_view name, std::string_view displayName,
                           std::string_view uri, std::string_view mobile, std::string_view phs) {
    const std::string_view texts[kTexts] = {groupName, name, displayName, uri, mobile, phs};
    std::size_t size = 0;
    for (const std::string_view text : texts) size += text.size();
    block.reserve(size);
    for (int i = 0; i < kTexts; ++i) {
        block += texts[i];
        ends[i] = static_cast<std::uint32_t>(block.size());
    }
}
