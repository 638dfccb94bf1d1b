#include "framework/CodePageConversion.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace codepage {

namespace {
// The system's calls count in int.
bool Fits(std::size_t size) { return size <= static_cast<std::size_t>(INT_MAX); }
}  // namespace

unsigned AnsiCodePage() { return ::GetACP(); }

bool IsAvailable(unsigned codePage) { return codePage == kAnsi || ::IsValidCodePage(codePage); }

unsigned MaxCharSize(unsigned codePage) {
    CPINFO info{};
    return ::GetCPInfo(codePage, &info) ? info.MaxCharSize : 0;
}

bool IsLeadByte(unsigned codePage, unsigned char byte) { return ::IsDBCSLeadByteEx(codePage, byte); }

std::size_t ToUtf16(unsigned codePage, std::string_view bytes, bool strict, wchar_t* out, std::size_t capacity) {
    if (bytes.empty() || !Fits(bytes.size())) return 0;
    const int units = ::MultiByteToWideChar(codePage, strict ? MB_ERR_INVALID_CHARS : 0, bytes.data(),
                                            static_cast<int>(bytes.size()), out,
                                            out == nullptr ? 0 : static_cast<int>(std::min<std::size_t>(capacity, INT_MAX)));
    return units > 0 ? static_cast<std::size_t>(units) : 0;
}

std::size_t FromUtf16(unsigned codePage, std::wstring_view units, char* out, std::size_t capacity) {
    if (units.empty() || !Fits(units.size())) return 0;
    const int bytes = ::WideCharToMultiByte(codePage, 0, units.data(), static_cast<int>(units.size()), out,
                                            out == nullptr ? 0 : static_cast<int>(std::min<std::size_t>(capacity, INT_MAX)),
                                            nullptr, nullptr);
    return bytes > 0 ? static_cast<std::size_t>(bytes) : 0;
}

}  // namespace codepage
