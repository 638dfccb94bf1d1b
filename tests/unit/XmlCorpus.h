#pragma once
// Generated XML files, broken and odd, for holding the layer's reader to the platform's
// DOM: the rules one at a time, then truncations and byte mutations of a directory.
#include <string>
#include <vector>

struct CorpusFile {
    std::string name;   // what the file tries, for failure messages
    std::string bytes;
};

[[nodiscard]] std::vector<CorpusFile> MakeXmlCorpus();
