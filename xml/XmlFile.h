#pragma once
// Reading an XML file whole, once: every parser of the layer works on these bytes and
// none opens the file again by its path.
#include <cstdint>
#include <optional>
#include <string>

// Larger files count as unreadable: no host file comes near, and a larger one would
// only cost the host's memory.
constexpr std::uint64_t kMaxXmlFileBytes = 128ull * 1024 * 1024;

// The file's bytes; nothing when it is missing, cannot be read, is larger than
// kMaxXmlFileBytes, or memory for it cannot be had.
[[nodiscard]] std::optional<std::string> ReadXmlFile(const std::string& path);
