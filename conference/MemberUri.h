#pragma once
// Member ids from URIs: what a record keeps of each member.
#include <string>
#include <string_view>

// The user part of a member's URI, by bytes: from after the first "sip:" up to the
// first at sign.
[[nodiscard]] std::string MemberIdFromUri(const std::string& uri);
// The same, as a view into `uri`.
[[nodiscard]] std::string_view MemberIdViewFromUri(std::string_view uri);
