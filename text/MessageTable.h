#pragma once
// Window texts by numeric message id, read from the host's language file. One table
// serves the process (see entry/ProcessObjects.cpp); lookups never fail.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "text/MessageTexts.h"
#include "xml/XmlElement.h"

class MessageTable {
public:
    MessageTable();
    MessageTable(const MessageTable&) = delete;
    MessageTable& operator=(const MessageTable&) = delete;
    virtual ~MessageTable();

    static MessageTable& Instance();

    // Loads "<directory>\<user LANGID as %04x>.xml", or "<directory>\0409.xml" when
    // that file does not exist. The language recorded is the system's own language name.
    bool Load(std::string directory, std::string language);
    // Replaces the table's messages with those of the file. False only when reading
    // the document failed midway; a missing or broken file leaves the table not ready.
    bool LoadFile(std::string path, std::string language);
    // The messages of a loaded root; an empty root leaves the map as it was. Readiness
    // follows the count stored, also when reading failed midway (the result is then false).
    // `idsAsWritten`, when given, receives the id of every `Msg` read, in document order,
    // duplicates and unusable ones included, for a report of what the file holds.
    bool LoadRoot(const XmlElement& root, std::vector<std::string>* idsAsWritten = nullptr);
    [[nodiscard]] bool IsReady() const { return ready != 0; }

    // The stored text of message `id`, as read: "Msg not init" when not ready,
    // "Msg(<id>)" when absent.
    [[nodiscard]] std::string Lookup(int id);

    [[nodiscard]] const std::string& Language() const { return language; }
    [[nodiscard]] const std::string& FilePath() const { return filePath; }

private:
    // Held around every use of `messages`; released on every path out.
    class Lock {
    public:
        explicit Lock(CRITICAL_SECTION& section) : section(section) { ::EnterCriticalSection(&section); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
        ~Lock() { ::LeaveCriticalSection(&section); }

    private:
        CRITICAL_SECTION& section;
    };

    MessageTexts messages;
    std::string language = "english";
    std::string filePath;
    std::atomic<int> ready{0};
    CRITICAL_SECTION lock;
};

// The language file Load reads from `directory` for the language `langId`:
// "<directory>\<langId as %04x>.xml" when it exists, else "<directory>\0409.xml".
[[nodiscard]] std::string ChooseLanguageFile(std::string directory, unsigned langId);

// The text of message `id` from the process's table, with the four characters \r\n
// made a real line break.
[[nodiscard]] std::string GetMessageText(int id);
