#pragma once
// A file read whole into memory and handed out as a COM stream, for the platform's
// loaders that read from a stream.
#include <windows.h>
#include <objidl.h>
#include <wrl/client.h>

#include <string>

// The whole file as a stream over a memory block that the stream owns, and its size.
// The file is held without sharing while it is read and closed again before this
// returns. No stream for a missing, empty or unreadable file, nor for one larger than
// `maxSize` bytes.
[[nodiscard]] Microsoft::WRL::ComPtr<IStream> ReadFileStream(const std::string& path, DWORD& size,
                                                             DWORD maxSize = MAXDWORD);

// Reads exactly `size` bytes from the file's current position: a short read is a
// failure like any other, since a loader would otherwise see uninitialised memory.
[[nodiscard]] bool ReadExactly(HANDLE file, void* buffer, DWORD size);
