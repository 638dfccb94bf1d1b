#pragma once
// Window texts by numeric message id, from the host's language file.
#include <windows.h>

#include <string>
#include <unordered_map>

class MessageTable {
public:
    MessageTable();
    virtual ~MessageTable();
    MessageTable(const MessageTable&) = delete;
    MessageTable& operator=(const MessageTable&) = delete;

    static MessageTable& Instance();

    // Loads "<directory>\<user LANGID as %04x>.xml", or "<directory>\0409.xml" when
    // there is none. False only when reading an opened file failed part way.
    bool Load(std::string directory, std::string language);
    // Replaces the table with the messages of one file.
    bool LoadFile(std::string path, std::string language);
    [[nodiscard]] bool IsReady() const { return ready != 0; }

    // The stored text of `id`, or "Msg(%d)"; "Msg not init" when not ready.
    [[nodiscard]] std::string Lookup(int id);

private:
    std::unordered_map<std::string, std::string> messages;
    std::string language = "english";
    std::string filePath;
    int ready = 0;
    CRITICAL_SECTION lock;
};

// The text of message `id`, with the four characters \r\n made a real line break.
[[nodiscard]] std::string GetMessageText(int id);
