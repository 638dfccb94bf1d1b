#include "directory/DirectoryReader.h"

#include <iterator>
#include <new>
#include <optional>
#include <utility>

#include "xml/XmlAccessError.h"
#include "xml/XmlDocument.h"
#include "xml/XmlFile.h"

namespace {

// What `read` returns; `failed` when an XML access error or memory running out stops it midway.
template <typename Result, typename Read>
Result Guarded(Result failed, Read&& read) {
    try {
        return read();
    } catch (const XmlAccessError&) {
        return failed;
    } catch (const std::bad_alloc&) {
        return failed;
    }
}

}  // namespace

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
    const auto read = ReadFile(path, complete, departments, &DirectoryReader::ReadCompanies);
    return CopyOut(read, complete, companies);
}

bool DirectoryReader::ReadFriends(const std::string& path, std::vector<ContactGroup>& groups) {
    bool complete = false;
    const auto read = ReadFile(path, complete, friends, &DirectoryReader::ReadFriendGroups);
    return CopyOut(read, complete, groups);
}

DirectoryReader::SharedCompanies DirectoryReader::SharedDepartments(const std::string& path, bool* complete) {
    bool read = false;
    SharedCompanies companies = ReadFile(path, read, departments, &DirectoryReader::ReadCompanies);
    if (complete != nullptr) *complete = read;
    return companies;
}

DirectoryReader::SharedFriendGroups DirectoryReader::SharedFriends(const std::string& path, bool* complete) {
    bool read = false;
    SharedFriendGroups groups = ReadFile(path, read, friends, &DirectoryReader::ReadFriendGroups);
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
    bool (DirectoryReader::*walk)(const XmlElement&, std::vector<Record>&)) {
    // Made once, so that an unreadable file costs no allocation; never changed, since it
    // is always held here as well (CopyOut moves only from what nobody else holds).
    static const std::shared_ptr<std::vector<Record>> empty = std::make_shared<std::vector<Record>>();
    complete = false;
    if (path.empty()) return empty;
    using Records = std::shared_ptr<std::vector<Record>>;
    Records read = Guarded(Records(), [&]() -> Records {
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
            complete = !root.IsEmpty() && (this->*walk)(root, *parsed);
        }
        // A directory read in part is unreadable: the people it lacks would otherwise be
        // missing from the trees but found by the suggestions and the record's lookups.
        if (!complete) parsed = empty;
        if (key) cache.Keep(std::move(*key), complete, parsed);
        return parsed;
    });
    if (read) return read;
    complete = false;
    return empty;
}

bool DirectoryReader::ReadCompanies(const XmlElement& root, std::vector<Company>& companies) {
    return Guarded(false, [&] {
        XmlElementCursor cursor = root.GetChildren("company");
        for (XmlElement element = cursor.Next(); !element.IsEmpty(); element = cursor.Next()) {
            Company company;
            company.name = element.GetAttribute("name");
            ReadGroups(element, company.groups);
            companies.push_back(std::move(company));
        }
        return true;
    });
}

bool DirectoryReader::ReadFriendGroups(const XmlElement& root, std::vector<ContactGroup>& groups) {
    return Guarded(false, [&] {
        ReadGroups(root, groups);
        return true;
    });
}

void DirectoryReader::ReadGroups(const XmlElement& element, std::vector<ContactGroup>& groups) {
    ReadGroupsAt(element, groups, 1);
}

void DirectoryReader::ReadGroupsAt(const XmlElement& element, std::vector<ContactGroup>& groups, int depth) {
    if (element.IsEmpty() || depth > kMaxListDepth) return;
    XmlElementCursor cursor = element.GetChildren("list");
    for (XmlElement list = cursor.Next(); !list.IsEmpty(); list = cursor.Next()) {
        ContactGroup group;
        group.name = list.GetAttribute("name");
        ReadEntries(list, group.entries, group.name);
        ReadGroupsAt(list, group.subgroups, depth + 1);
        groups.push_back(std::move(group));
    }
}

void DirectoryReader::ReadEntries(const XmlElement& element, std::vector<ContactEntry>& entries,
                                  const std::string& groupName) {
    XmlElementCursor cursor = element.GetChildren("entry");
    // Counted first: a large department's people take no more room than they need.
    size_t count = 0;
    while (!cursor.Next().IsEmpty()) ++count;
    entries.reserve(entries.size() + count);
    cursor = element.GetChildren("entry");
    for (XmlElement entry = cursor.Next(); !entry.IsEmpty(); entry = cursor.Next()) {
        const XmlElement other = entry.GetChild("other");
        entries.emplace_back(groupName, entry.GetAttribute("name"), ChildText(entry, "display-name"),
                             entry.GetAttribute("uri"), ChildText(other, "Mobile"), ChildText(other, "phs"));
    }
}

std::string DirectoryReader::ChildText(const XmlElement& element, const std::string& tagName) {
    if (element.IsEmpty()) return {};
    const XmlElement child = element.GetChild(tagName);
    return child.IsEmpty() ? std::string() : child.GetText();
}
