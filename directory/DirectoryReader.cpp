#include "directory/DirectoryReader.h"

#include <iterator>
#include <new>
#include <optional>
#include <utility>

#include "xml/XmlAccessError.h"
#include "xml/XmlDocument.h"
#include "xml/XmlFile.h"

DirectoryReader::~DirectoryReader() = default;

void DirectoryReader::BeginReuse() {
    departments.Begin();
    friends.Begin();
}

void DirectoryReader::EndReuse() {
    departments.End();
    friends.End();
}

bool DirectoryReader::ReadDepartments(const std::string& path, std::vector<Company>& companies) {
    bool complete = false;
    const auto read = ReadFile(path, complete, departments, &DirectoryRecords::ReadCompanies);
    return CopyOut(read, complete, companies);
}

bool DirectoryReader::ReadFriends(const std::string& path, std::vector<ContactGroup>& groups) {
    bool complete = false;
    const auto read = ReadFile(path, complete, friends, &DirectoryRecords::ReadFriendGroups);
    return CopyOut(read, complete, groups);
}

DirectoryReader::SharedCompanies DirectoryReader::SharedDepartments(const std::string& path, bool* complete) {
    bool read = false;
    SharedCompanies companies = ReadFile(path, read, departments, &DirectoryRecords::ReadCompanies);
    if (complete != nullptr) *complete = read;
    return companies;
}

DirectoryReader::SharedFriendGroups DirectoryReader::SharedFriends(const std::string& path, bool* complete) {
    bool read = false;
    SharedFriendGroups groups = ReadFile(path, read, friends, &DirectoryRecords::ReadFriendGroups);
    if (complete != nullptr) *complete = read;
    return groups;
}

template <typename Record>
bool DirectoryReader::CopyOut(const std::shared_ptr<std::vector<Record>>& read, bool complete,
                              std::vector<Record>& records) {
    try {
        if (read.use_count() == 1)
            records.insert(records.end(), std::make_move_iterator(read->begin()), std::make_move_iterator(read->end()));
        else
            records.insert(records.end(), read->begin(), read->end());
        return complete;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

template <typename Record>
std::shared_ptr<std::vector<Record>> DirectoryReader::ReadFile(
    const std::string& path, bool& complete, ReuseCache<Record>& cache,
    bool (*walk)(const XmlElement&, std::vector<Record>&)) {
    // Made once, so that an unreadable file costs no allocation; never changed, since it
    // is always held here as well (CopyOut moves only from what nobody else holds).
    static const std::shared_ptr<std::vector<Record>> empty = std::make_shared<std::vector<Record>>();
    complete = false;
    if (path.empty()) return empty;
    try {
        std::optional<std::string> bytes = ReadXmlFile(path);
        if (!bytes) return empty;
        auto key = cache.KeyOf(path, *bytes);
        if (key) {
            if (auto kept = cache.Find(*key, complete)) return kept;
        }
        cache.Forget();
        ++filesParsed;
        auto parsed = std::make_shared<std::vector<Record>>();
        {
            XmlDocument document;
            const XmlElement root = document.Parse(*bytes);
            // The tree holds all the walk reads: the file's bytes need not wait for it.
            bytes.reset();
            complete = !root.IsEmpty() && walk(root, *parsed);
        }
        // A directory read in part is unreadable: the people it lacks would otherwise be
        // missing from the trees but found by the suggestions and the record's lookups.
        if (!complete) parsed = empty;
        if (key) cache.Keep(std::move(*key), complete, parsed);
        return parsed;
    } catch (const XmlAccessError&) {
        // Stopped midway, as below: a read in part gives nothing.
    } catch (const std::bad_alloc&) {
    }
    complete = false;
    return empty;
}
