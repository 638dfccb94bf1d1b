#include "skin/LoadPictureFile.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

bool ReadExactly(HANDLE file, void* buffer, DWORD size) {
    DWORD read = 0;
    return ::ReadFile(file, buffer, size, &read, nullptr) != FALSE && read == size;
}

namespace {

// The whole file in a movable global block; the file is closed again before this returns.
UniqueGlobal ReadFileIntoBlock(const std::string& path, DWORD& size) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    size = ::GetFileSize(file.Get(), nullptr);
    if (size == 0 || size == INVALID_FILE_SIZE) return {};
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

UniqueBitmap LoadPictureFile(const std::string& path) {
    DWORD size = 0;
    UniqueGlobal block = ReadFileIntoBlock(path, size);
    if (!block) return {};

    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, &stream)) || !stream) return {};
    (void)block.Release();  // the stream frees the block when it is released

    ComPtr<IPicture> picture;
    const HRESULT loaded = ::OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                            reinterpret_cast<void**>(picture.GetAddressOf()));
    stream.Reset();
    if (FAILED(loaded) || !picture) return {};

    // Icons and metafiles carry no bitmap to copy.
    SHORT type = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP) return {};
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)) || handle == 0) return {};
    // The picture's own bitmap dies with the picture: hand out a copy.
    return UniqueBitmap(static_cast<HBITMAP>(::CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}
