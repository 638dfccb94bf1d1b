#include "framework/FileStream.h"

#include "framework/UniqueHandle.h"

bool ReadExactly(HANDLE file, void* buffer, DWORD size) {
    DWORD read = 0;
    return ::ReadFile(file, buffer, size, &read, nullptr) != FALSE && read == size;
}

namespace {

// The whole file in a movable global block; the file is closed again before this returns.
UniqueGlobal ReadFileIntoBlock(const std::string& path, DWORD& size, DWORD maxSize) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    DWORD high = 0;
    size = ::GetFileSize(file.Get(), &high);
    if (size == 0 || size == INVALID_FILE_SIZE || high != 0 || size > maxSize) return {};
    UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return {};
    void* data = ::GlobalLock(block.Get());
    if (data == nullptr) return {};
    const bool complete = ReadExactly(file.Get(), data, size);
    ::GlobalUnlock(block.Get());
    if (!complete) return {};
    return block;
}

}  // namespace

Microsoft::WRL::ComPtr<IStream> ReadFileStream(const std::string& path, DWORD& size, DWORD maxSize) {
    UniqueGlobal block = ReadFileIntoBlock(path, size, maxSize);
    if (!block) return {};
    Microsoft::WRL::ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, &stream)) || !stream) return {};
    (void)block.Release();  // the stream frees the block when it is released
    return stream;
}
