#include "conference/MemberUri.h"

std::string MemberIdFromUri(const std::string& uri) { return std::string(MemberIdViewFromUri(uri)); }

std::string_view MemberIdViewFromUri(std::string_view uri) {
    const size_t sip = uri.find("sip:");
    const size_t at = uri.find('@');
    const long long p = sip == std::string_view::npos ? -1 : static_cast<long long>(sip);
    const long long a = at == std::string_view::npos ? -1 : static_cast<long long>(at);
    const long long start = p + 4;
    const long long length = a - p - 4;
    const long long size = static_cast<long long>(uri.size());
    if (length < 0 || start >= size) return {};
    return uri.substr(static_cast<size_t>(start), static_cast<size_t>(length < size - start ? length : size - start));
}
