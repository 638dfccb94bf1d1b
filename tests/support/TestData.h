#pragma once
// Test data files and scratch folders, as Windows paths under Wine.
#include <windows.h>

#include <string>

// A file below tests/data, e.g. TestDataPath("pictures\\halves.bmp").
inline std::string TestDataPath(const std::string& relative) {
    std::string path = std::string("Z:") + QUORVEL_TEST_DATA + "\\" + relative;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

// A fresh, empty folder under the temporary directory, removed with all it holds
// when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name) {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "quorvel-" + name + "-" + std::to_string(::GetCurrentProcessId());
        Remove(path_);
        ::CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { Remove(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    [[nodiscard]] const std::string& Path() const { return path_; }
    // Creates `relative` (backslash-separated folders) below the scratch folder.
    std::string MakeFolder(const std::string& relative) const {
        std::string path = path_;
        size_t start = 0;
        while (start <= relative.size()) {
            const size_t end = relative.find('\\', start);
            path += "\\" + relative.substr(start, end - start);
            ::CreateDirectoryA(path.c_str(), nullptr);
            if (end == std::string::npos) break;
            start = end + 1;
        }
        return path;
    }
    // Writes `bytes` to `relative` (in folders made before) and gives its path.
    std::string Write(const std::string& relative, const std::string& bytes) const {
        const std::string path = path_ + "\\" + relative;
        const HANDLE file =
            ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
        return path;
    }
    // Writes `start` to `relative` and makes the file `size` bytes long without writing
    // the rest (the file system keeps it sparse); gives its path.
    std::string WriteLong(const std::string& relative, const std::string& start, long long size) const {
        const std::string path = Write(relative, start);
        const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        LARGE_INTEGER end{};
        end.QuadPart = size;
        ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
        ::SetEndOfFile(file);
        ::CloseHandle(file);
        return path;
    }
    bool CopyIn(const std::string& source, const std::string& relativeTarget) const {
        return ::CopyFileA(source.c_str(), (path_ + "\\" + relativeTarget).c_str(), FALSE) != FALSE;
    }

private:
    static void Remove(const std::string& path) {
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                const std::string child = path + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(child);
                } else {
                    ::DeleteFileA(child.c_str());
                }
            } while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(path.c_str());
    }

    std::string path_;
};
