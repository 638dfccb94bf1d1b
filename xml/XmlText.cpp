#include "xml/XmlText.h"

#include <vector>

#include "xml/XmlAccessError.h"

namespace {
HRESULT LastErrorStatus() { return static_cast<HRESULT>(0x80070000u | (::GetLastError() & 0xFFFFu)); }
}  // namespace

BSTR WidenText(const std::string& text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) throw XmlAccessError(LastErrorStatus());
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    if (::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length) <= 0)
        throw XmlAccessError(LastErrorStatus());
    BSTR result = ::SysAllocString(wide.data());
    if (result == nullptr) throw XmlAccessError(E_OUTOFMEMORY);
    return result;
}

std::string NarrowText(BSTR text) {
    if (text == nullptr) return {};
    const int length = static_cast<int>(::SysStringLen(text));
    if (length == 0) return {};
    std::vector<char> narrow(static_cast<size_t>(length) * 2 + 2);
    const int written = ::WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), static_cast<int>(narrow.size()),
                                              nullptr, nullptr);
    if (written <= 0) throw XmlAccessError(LastErrorStatus());
    return std::string(narrow.data(), static_cast<size_t>(written));
}
