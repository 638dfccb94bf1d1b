#include "text/MessageTable.h"

#include "framework/Text.h"
#include "xml/XmlAccessError.h"
#include "xml/XmlDocument.h"

namespace {

class LockGuard {
public:
    explicit LockGuard(CRITICAL_SECTION& section) : section_(section) { ::EnterCriticalSection(&section_); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;
    ~LockGuard() { ::LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION& section_;
};

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

MessageTable::MessageTable() {
    ::InitializeCriticalSection(&lock);
    // The map's nodes come in blocks in the original; reserving the buckets keeps a
    // language file of a few hundred messages to one allocation of the table.
    messages.reserve(400);
}

MessageTable::~MessageTable() {
    {
        LockGuard guard(lock);
        messages.clear();
    }
    ::DeleteCriticalSection(&lock);
}

bool MessageTable::Load(std::string directory, std::string language) {
    char systemLanguage[50] = {};
    ::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE, systemLanguage, sizeof systemLanguage);
    if (!directory.empty() && directory.back() == '\\') directory.pop_back();
    if (language != systemLanguage) language = systemLanguage;
    std::string path = text::Format("%s\\%04x.xml", directory.c_str(), ::GetUserDefaultLangID() & 0xFFFFu);
    if (!FileExists(path)) path = directory + "\\0409.xml";
    return LoadFile(path, language);
}

bool MessageTable::LoadFile(std::string path, std::string language) {
    filePath = path;
    this->language = language;
    bool result = true;
    int count = 0;
    {
        XmlDocument document;
        try {
            const XmlElement root = document.Load(path);
            if (!root.IsEmpty()) {
                LockGuard guard(lock);
                messages.clear();
                XmlElementCursor cursor = root.GetChildren("Msg");
                for (XmlElement message = cursor.Next(); !message.IsEmpty(); message = cursor.Next()) {
                    const std::string id = message.GetAttribute("id");
                    const std::string label = message.GetAttribute("Label");
                    // The first occurrence of an id wins.
                    if (!id.empty() && messages.emplace(id, label).second) ++count;
                }
            }
        } catch (const XmlAccessError&) {
            result = false;
        }
    }
    ready = count > 0 ? 1 : 0;
    return result;
}

std::string MessageTable::Lookup(int id) {
    if (ready == 0) return "Msg not init";
    const std::string key = text::Format("%d", id);
    LockGuard guard(lock);
    const auto found = messages.find(key);
    return found != messages.end() ? found->second : text::Format("Msg(%d)", id);
}

std::string GetMessageText(int id) { return text::ReplaceAll(MessageTable::Instance().Lookup(id), "\\r\\n", "\r\n"); }
