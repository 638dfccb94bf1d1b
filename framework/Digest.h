#pragma once
// SHA-256 through the system's cryptography provider: to tell whether a file's bytes are
// those seen before without keeping them.
#include <array>
#include <optional>
#include <string>

using Sha256Digest = std::array<unsigned char, 32>;

// Nothing when the provider cannot be used: the caller then cannot tell, and must not
// assume the bytes are the same.
[[nodiscard]] std::optional<Sha256Digest> Sha256(const std::string& bytes);
