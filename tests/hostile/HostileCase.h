#pragma once
// One case of the hostile corpus: files of the host folder replaced by broken or odd
// ones, a record and arguments as a careless host passes them, and the way the host
// calls (re-entrant, from other threads, without COM).
#include <climits>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hostile {

enum class Thread { Main, WithoutCom, Multithreaded };
enum class Reentry { None, FromConfirmation, FromCancel, FromOtherThread, ReturnedRecordBack };
enum class Notify { Host, Null, Invalid, Destroyed };

// A record as the host passes it; a missing text is a null pointer.
struct CaseRecord {
    bool present = false;
    std::optional<std::string> name, description, confId, userId, chairman, startText, memberCount, spare1, spare2;
    std::vector<std::optional<std::string>> ids;
    bool nullIds = false;
    int count = INT_MIN;  // INT_MIN: the number of ids
    int noticeMinutes = 0;
};

struct HostileCase {
    std::string kind;  // directory, language, skin, record, arguments, reentry, thread
    std::string name;
    std::vector<std::pair<std::string, std::string>> files;  // host-folder path, bytes
    // Files too large to make for every case of the corpus: made when their case runs.
    std::vector<std::pair<std::string, std::function<std::string()>>> madeFiles;
    std::vector<std::string> removedFiles;
    CaseRecord record;
    std::optional<std::string> userId = std::string("1001");
    Thread thread = Thread::Main;
    Reentry reentry = Reentry::None;
    Notify notify = Notify::Host;
    bool usePicker = true;  // move a whole company in through the picker before OK
};

// Every case, in a fixed order; `hostFolder` holds the pristine sample files that the
// mutations start from.
std::vector<HostileCase> MakeCorpus(const std::string& hostFolder);

}  // namespace hostile
