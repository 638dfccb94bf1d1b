#include "xml/XmlFile.h"

#include <windows.h>

#include <new>

#include "framework/UniqueHandle.h"

std::optional<std::string> ReadXmlFile(const std::string& path) {
    const UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > kMaxXmlFileBytes)
        return std::nullopt;
    try {
        std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        if (!bytes.empty() &&
            (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
             read != bytes.size()))
            return std::nullopt;
        return bytes;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}
