#pragma once
#include <string>

// A Windows path of a file under the tests' data folder (reached through drive Z:).
inline std::string TestDataPath(const std::string& relative) {
    std::string path = std::string("Z:") + QUORVEL_TEST_DATA + "/" + relative;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}
