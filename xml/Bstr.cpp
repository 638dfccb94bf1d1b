#include "xml/Bstr.h"

#include <algorithm>

#include "xml/XmlAccessError.h"

namespace {
[[noreturn]] void RaiseConversionError() {
    throw XmlAccessError(static_cast<HRESULT>(0x80070000u | (::GetLastError() & 0xFFFFu)));
}
}  // namespace

Bstr Bstr::FromAnsi(const std::string& text) {
    const int units = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (units == 0) RaiseConversionError();
    Bstr result(::SysAllocStringLen(nullptr, static_cast<UINT>(units - 1)));
    if (result.Get() == nullptr) throw XmlAccessError(E_OUTOFMEMORY);
    if (::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, result.Get(), units) == 0) RaiseConversionError();
    return result;
}

std::string Bstr::ToAnsi() const {
    if (value == nullptr) return {};
    const UINT units = ::SysStringLen(value);
    if (units == 0) return {};
    // A UTF-16 unit never takes more than two bytes in a double-byte code page.
    std::string text;
    try {
        text.resize(static_cast<size_t>(units) * 2);
    } catch (const std::bad_alloc&) {
        throw XmlAccessError(E_OUTOFMEMORY);
    }
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, value, static_cast<int>(units), text.data(),
                                            static_cast<int>(text.size()), nullptr, nullptr);
    if (bytes == 0) RaiseConversionError();
    text.resize(static_cast<size_t>(bytes));
    return text;
}

bool Bstr::EqualsAnsi(const std::string& text) const {
    const UINT units = value == nullptr ? 0 : ::SysStringLen(value);
    const bool ascii = std::all_of(value, value + units, [](OLECHAR unit) { return unit < 0x80; }) &&
                       std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    // Anything else may convert to other bytes, or to the default character: convert it.
    if (!ascii) return ToAnsi() == text;
    return units == text.size() && std::equal(text.begin(), text.end(), value, [](char c, OLECHAR unit) {
               return static_cast<unsigned char>(c) == unit;
           });
}
