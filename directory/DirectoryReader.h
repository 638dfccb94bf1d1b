#pragma once
// Reads the host's company directory (DepartmentInfo.xml) and friends list
// (FriendsInfo.xml) into records. Both read operations append, never clear, and
// report a file that cannot be read, or a read that failed midway (an XML access error,
// or memory running out), by returning false; such a file gives no records at all.
#include <memory>
#include <string>
#include <vector>

#include "directory/DirectoryRecords.h"
#include "directory/ReuseCache.h"

class DirectoryReader : public DirectoryRecords {
public:
    DirectoryReader() = default;
    DirectoryReader(const DirectoryReader&) = delete;
    DirectoryReader& operator=(const DirectoryReader&) = delete;
    virtual ~DirectoryReader();

    // While reuse is on (one call of the export), a file whose bytes are those last
    // parsed from its path is not parsed again: its records are those of that parse,
    // so that the picker does not parse again what the dialog has just parsed.
    void BeginReuse();
    // Turns reuse off and releases what was kept.
    void EndReuse();
    // How many files have been parsed, reused ones not counted.
    [[nodiscard]] int FilesParsed() const { return filesParsed; }

    // One Company per `company` child of the root.
    bool ReadDepartments(const std::string& path, std::vector<Company>& companies);
    // One ContactGroup per `list` child of the root.
    bool ReadFriends(const std::string& path, std::vector<ContactGroup>& groups);

    // The same records, shared rather than copied: every read of the same bytes while
    // reuse is on gets the one parse. Never null, and empty when `complete` is false;
    // `complete` gets what the reads above return.
    using SharedCompanies = std::shared_ptr<const std::vector<Company>>;
    using SharedFriendGroups = std::shared_ptr<const std::vector<ContactGroup>>;
    SharedCompanies SharedDepartments(const std::string& path, bool* complete = nullptr);
    SharedFriendGroups SharedFriends(const std::string& path, bool* complete = nullptr);

private:
    template <typename Record>
    std::shared_ptr<std::vector<Record>> ReadFile(const std::string& path, bool& complete, ReuseCache<Record>& cache,
                                                  bool (*walk)(const XmlElement&, std::vector<Record>&));
    // Appends what was read: moved when nobody else holds it, copied otherwise.
    template <typename Record>
    static bool CopyOut(const std::shared_ptr<std::vector<Record>>& read, bool complete, std::vector<Record>& records);

    ReuseCache<Company> departments;
    ReuseCache<ContactGroup> friends;
    int filesParsed = 0;
};

// Directory reuse for the length of a scope.
class DirectoryReuse {
public:
    explicit DirectoryReuse(DirectoryReader& reader) : reader(reader) { reader.BeginReuse(); }
    ~DirectoryReuse() { reader.EndReuse(); }
    DirectoryReuse(const DirectoryReuse&) = delete;
    DirectoryReuse& operator=(const DirectoryReuse&) = delete;

private:
    DirectoryReader& reader;
};

DirectoryReader& GetDirectoryReader();
