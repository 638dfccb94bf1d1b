#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

// One person of a directory file, read from one `entry` element. Its six texts live in
// one block: a directory of a hundred thousand people then costs one allocation a person
// rather than six, and no room for six strings of its own.
class ContactEntry {
public:
    ContactEntry() = default;
    ContactEntry(std::string_view groupName, std::string_view name, std::string_view displayName, std::string_view uri,
                 std::string_view mobile, std::string_view phs);
    ContactEntry(const ContactEntry& other);
    ContactEntry& operator=(const ContactEntry& other);
    // A moved-from entry is left empty.
    ContactEntry(ContactEntry&& other) noexcept;
    ContactEntry& operator=(ContactEntry&& other) noexcept;

    // Name of the enclosing `list`.
    [[nodiscard]] std::string_view groupName() const { return Text(0); }
    // The person's identifier, a decimal number as text.
    [[nodiscard]] std::string_view name() const { return Text(1); }
    // The name shown to the user.
    [[nodiscard]] std::string_view displayName() const { return Text(2); }
    [[nodiscard]] std::string_view uri() const { return Text(3); }
    [[nodiscard]] std::string_view mobile() const { return Text(4); }
    [[nodiscard]] std::string_view phs() const { return Text(5); }

private:
    static constexpr int kTexts = 6;

    [[nodiscard]] std::string_view Text(int which) const {
        const std::uint32_t begin = which == 0 ? 0 : ends[which - 1];
        return std::string_view(block.get() + begin, ends[which] - begin);
    }

    // The six texts one after the other, none when all are empty; no room for a short
    // string of its own, since the block is nearly always longer.
    std::unique_ptr<char[]> block;
    std::uint32_t ends[kTexts] = {};
};
