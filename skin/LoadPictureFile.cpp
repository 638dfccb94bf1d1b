#include "skin/LoadPictureFile.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstdlib>

#include "framework/FileStream.h"
#include "skin/PictureHeader.h"

using Microsoft::WRL::ComPtr;

namespace {
// No skin picture comes near these; a larger one is a file that lies or a memory bomb.
constexpr DWORD kMaxPictureFileSize = 16u << 20;
constexpr LONG kMaxPictureSide = 4096;

// Whether the picture in the stream's memory is refused on its header alone: one that
// claims more than the largest side would be refused once decoded, but only after the
// decoder allocated all of it; a BMP whose rows run past the file's end would be decoded
// from whatever memory follows it.
bool RefusedByHeader(IStream* stream, DWORD size) {
    HGLOBAL block = nullptr;
    if (FAILED(::GetHGlobalFromStream(stream, &block))) return true;
    const auto* bytes = static_cast<const unsigned char*>(::GlobalLock(block));
    if (bytes == nullptr) return true;
    const std::optional<PictureHeader> header = ReadPictureHeader(bytes, size);
    ::GlobalUnlock(block);
    return header && (header->width > kMaxPictureSide || header->height > kMaxPictureSide || header->rowsPastEnd);
}

}  // namespace

UniqueBitmap LoadPictureFile(const std::string& path) {
    DWORD size = 0;
    ComPtr<IStream> stream = ReadFileStream(path, size, kMaxPictureFileSize);
    if (!stream || RefusedByHeader(stream.Get(), size)) return {};

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
    const auto decoded = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP shape{};
    if (::GetObjectA(decoded, sizeof shape, &shape) != static_cast<int>(sizeof shape) ||
        shape.bmWidth > kMaxPictureSide || std::abs(shape.bmHeight) > kMaxPictureSide)
        return {};
    // The picture's own bitmap dies with the picture: hand out a copy.
    return UniqueBitmap(static_cast<HBITMAP>(::CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}
