#include "directory/ContactEntry.h"

#include <algorithm>
#include <iterator>

ContactEntry::ContactEntry(std::string_view groupName, std::string_view name, std::string_view displayName,
                           std::string_view uri, std::string_view mobile, std::string_view phs) {
    const std::string_view texts[kTexts] = {groupName, name, displayName, uri, mobile, phs};
    std::uint32_t size = 0;
    for (int i = 0; i < kTexts; ++i) ends[i] = size += static_cast<std::uint32_t>(texts[i].size());
    if (size == 0) return;
    block = std::make_unique<char[]>(size);
    char* next = block.get();
    for (const std::string_view text : texts) next = std::copy(text.begin(), text.end(), next);
}

ContactEntry::ContactEntry(const ContactEntry& other) {
    std::copy(std::begin(other.ends), std::end(other.ends), ends);
    const std::uint32_t size = ends[kTexts - 1];
    if (size == 0) return;
    block = std::make_unique<char[]>(size);
    std::copy(other.block.get(), other.block.get() + size, block.get());
}

ContactEntry& ContactEntry::operator=(const ContactEntry& other) {
    if (this != &other) *this = ContactEntry(other);
    return *this;
}


ContactEntry::ContactEntry(ContactEntry&& other) noexcept : block(std::move(other.block)) {
    std::copy(std::begin(other.ends), std::end(other.ends), ends);
    std::fill(std::begin(other.ends), std::end(other.ends), 0u);
}

ContactEntry& ContactEntry::operator=(ContactEntry&& other) noexcept {
    if (this != &other) {
        block = std::move(other.block);
        std::copy(std::begin(other.ends), std::end(other.ends), ends);
        std::fill(std::begin(other.ends), std::end(other.ends), 0u);
    }
    return *this;
}
