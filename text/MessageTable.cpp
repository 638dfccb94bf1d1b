#include "text/MessageTable.h"

#include <new>

#include "framework/Text.h"
#include "xml/XmlAccessError.h"
#include "xml/XmlDocument.h"

namespace {
// Language files hold a few hundred messages at most.
constexpr std::size_t kExpectedMessages = 400;

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
}  // namespace

MessageTable::MessageTable() {
    messages.reserve(kExpectedMessages);
    ::InitializeCriticalSection(&lock);
}

MessageTable::~MessageTable() {
    {
        const Lock held(lock);
        messages.clear();
    }
    ::DeleteCriticalSection(&lock);
}

bool MessageTable::Load(std::string directory, std::string language) {
    char systemLanguage[50] = {};
    ::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE, systemLanguage, sizeof systemLanguage);
    if (!text::Equal(language, systemLanguage)) language = systemLanguage;
    return LoadFile(ChooseLanguageFile(std::move(directory), ::GetUserDefaultLangID()), language);
}

std::string ChooseLanguageFile(std::string directory, unsigned langId) {
    if (!directory.empty() && directory.back() == '\\') directory.pop_back();
    std::string path = text::Format("%s\\%04x.xml", directory.c_str(), langId & 0xFFFFu);
    if (!FileExists(path)) path = directory + "\\0409.xml";
    return path;
}

bool MessageTable::LoadFile(std::string path, std::string language) {
    // Moved, not copied: nothing here may run out of memory outside the guarded part.
    filePath = std::move(path);
    this->language = std::move(language);
    XmlDocument document;
    XmlElement root;
    try {
        root = document.Load(filePath);
    } catch (const XmlAccessError&) {
        ready = 0;
        return false;
    } catch (const std::bad_alloc&) {
        // As a file that cannot be read: the root stays empty.
    }
    return LoadRoot(root);
}

bool MessageTable::LoadRoot(const XmlElement& root, std::vector<std::string>* idsAsWritten) {
    bool result = true;
    std::size_t count = 0;
    if (!root.IsEmpty()) {
        const Lock held(lock);
        messages.clear();
        result = ReadMessages(root, messages, idsAsWritten);
        // Emptied above: what is in the map now is what this file stored.
        count = messages.size();
    }
    ready = count > 0 ? 1 : 0;
    return result;
}

std::string MessageTable::Lookup(int id) {
    if (ready == 0) return "Msg not init";
    const std::string key = text::Format("%d", id);
    const Lock held(lock);
    const auto entry = messages.find(key);
    return entry != messages.end() ? entry->second : text::Format("Msg(%d)", id);
}

std::string GetMessageText(int id) { return text::ReplaceAll(MessageTable::Instance().Lookup(id), "\\r\\n", "\r\n"); }
