#include "xml/Bstr.h"

#include <vector>

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
    std::vector<char> buffer;
    try {
        buffer.resize(static_cast<size_t>(units) * 2 + 2);
    } catch (const std::bad_alloc&) {
        throw XmlAccessError(E_OUTOFMEMORY);
    }
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, value, static_cast<int>(units), buffer.data(),
                                            static_cast<int>(buffer.size()), nullptr, nullptr);
    if (bytes == 0) RaiseConversionError();
    return std::string(buffer.data(), static_cast<size_t>(bytes));
}
