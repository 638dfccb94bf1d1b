// Any bytes as a directory file, read both as the company directory and as the friends
// list. Beyond not failing: the records are what the rules take from the tree (checked
// against a walk of the tree itself, not through the element layer), no group is deeper
// than the limit, no `entry` gives two people nor a `list` two groups, whichever form
// reads it, and a second extraction of the same bytes gives the same records.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "directory/DirectoryRecords.h"
#include "xml/XmlReader.h"

namespace {

// The records as lines, a group's before its people's and its people's before its
// subgroups', each text with its length so that no text can pass for two.
using Lines = std::vector<std::string>;

std::string Line(std::string_view kind, int depth, std::initializer_list<std::string_view> texts) {
    std::string line = std::string(kind) + ' ' + std::to_string(depth);
    for (const std::string_view text : texts) line.append(" ").append(std::to_string(text.size())).append(":").append(text);
    return line;
}

void Flatten(const std::vector<ContactGroup>& groups, int depth, Lines& lines) {
    for (const ContactGroup& group : groups) {
        lines.push_back(Line("list", depth, {group.name}));
        for (const ContactEntry& entry : group.entries)
            lines.push_back(Line("entry", depth, {entry.groupName(), entry.name(), entry.displayName(), entry.uri(),
                                                  entry.mobile(), entry.phs()}));
        Flatten(group.subgroups, depth + 1, lines);
    }
}

Lines Flatten(const std::vector<Company>& companies) {
    Lines lines;
    for (const Company& company : companies) {
        lines.push_back(Line("company", 0, {company.name}));
        Flatten(company.groups, 1, lines);
    }
    return lines;
}

Lines Flatten(const std::vector<ContactGroup>& groups) {
    Lines lines;
    Flatten(groups, 1, lines);
    return lines;
}

// The same lines from the tree's own nodes.
class TreeWalk {
public:
    explicit TreeWalk(const XmlTree& tree) : tree(tree) {}

    Lines Companies() const {
        Lines lines;
        for (const std::uint32_t company : Children(0, "company")) {
            lines.push_back(Line("company", 0, {Attribute(company, "name")}));
            Groups(company, 1, lines);
        }
        return lines;
    }
    Lines Friends() const {
        Lines lines;
        Groups(0, 1, lines);
        return lines;
    }
    std::size_t Count(std::string_view name) const {
        std::size_t count = 0;
        for (std::uint32_t i = 0; i < tree.nodes.size(); ++i) count += tree.IsElement(i) && tree.Name(i) == name;
        return count;
    }

private:
    std::vector<std::uint32_t> Children(std::uint32_t parent, std::string_view name) const {
        std::vector<std::uint32_t> children;
        for (std::uint32_t c = tree.FirstChild(parent); c != XmlTree::kNone; c = tree.NextSibling(parent, c))
            if (tree.IsElement(c) && tree.Name(c) == name) children.push_back(c);
        return children;
    }
    std::string_view Attribute(std::uint32_t node, std::string_view name) const {
        const XmlTree::Attribute* attribute = tree.FindAttribute(node, name);
        return attribute != nullptr ? tree.Value(*attribute) : std::string_view();
    }
    // The first child node so named, if it is an element: another node of that name
    // hides the elements after it.
    std::uint32_t First(std::uint32_t parent, std::string_view name) const {
        if (parent == XmlTree::kNone) return XmlTree::kNone;
        for (std::uint32_t c = tree.FirstChild(parent); c != XmlTree::kNone; c = tree.NextSibling(parent, c))
            if (tree.Name(c) == name) return tree.IsElement(c) ? c : XmlTree::kNone;
        return XmlTree::kNone;
    }
    std::string_view TextOf(std::uint32_t node) const {
        return node == XmlTree::kNone ? std::string_view() : tree.Text(node);
    }
    void Groups(std::uint32_t parent, int depth, Lines& lines) const {
        if (depth > DirectoryRecords::kMaxListDepth) return;
        for (const std::uint32_t list : Children(parent, "list")) {
            const std::string_view name = Attribute(list, "name");
            lines.push_back(Line("list", depth, {name}));
            for (const std::uint32_t entry : Children(list, "entry")) {
                const std::uint32_t other = First(entry, "other");
                lines.push_back(Line("entry", depth,
                                     {name, Attribute(entry, "name"), TextOf(First(entry, "display-name")),
                                      Attribute(entry, "uri"), TextOf(First(other, "Mobile")),
                                      TextOf(First(other, "phs"))}));
            }
            Groups(list, depth + 1, lines);
        }
    }

    const XmlTree& tree;
};

std::size_t CountOf(const Lines& lines, std::string_view kind) {
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [kind](const std::string& line) {
        return line.compare(0, kind.size() + 1, std::string(kind) + ' ') == 0;
    }));
}

struct Extraction {
    Lines companies;
    Lines friends;
};

// Both forms of the bytes, and the tree they were read from; no tree when the reader
// refuses the file or leaves it to the platform.
std::shared_ptr<const XmlTree> Extract(const std::string& bytes, Extraction& out) {
    XmlReading reading = ReadXml(bytes);
    if (reading.outcome != XmlReading::Outcome::Parsed) return nullptr;
    const XmlElement root(reading.tree, 0);
    std::vector<Company> companies;
    std::vector<ContactGroup> friends;
    // A loaded tree holds everything the walks read: nothing can fail midway.
    FUZZ_CHECK(DirectoryRecords::ReadCompanies(root, companies));
    FUZZ_CHECK(DirectoryRecords::ReadFriendGroups(root, friends));
    out.companies = Flatten(companies);
    out.friends = Flatten(friends);
    // Records are values: a copy holds the same texts.
    const std::vector<Company> copy = companies;
    FUZZ_CHECK(Flatten(copy) == out.companies);
    return reading.tree;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Extraction first;
    const std::shared_ptr<const XmlTree> tree = Extract(bytes, first);
    if (!tree) return 0;

    const TreeWalk walk(*tree);
    FUZZ_CHECK(first.companies == walk.Companies());
    FUZZ_CHECK(first.friends == walk.Friends());
    // A `list` sits under a company or under the root, never both: between the two forms
    // no element is read twice.
    FUZZ_CHECK(CountOf(first.companies, "entry") + CountOf(first.friends, "entry") <= walk.Count("entry"));
    FUZZ_CHECK(CountOf(first.companies, "list") + CountOf(first.friends, "list") <= walk.Count("list"));
    for (const Lines* lines : {&first.companies, &first.friends})
        for (const std::string& line : *lines)
            FUZZ_CHECK(line.rfind("company ", 0) == 0 ||
                       std::stoi(line.substr(line.find(' ') + 1)) <= DirectoryRecords::kMaxListDepth);

    Extraction second;
    FUZZ_CHECK(Extract(bytes, second) != nullptr);
    FUZZ_CHECK(second.companies == first.companies && second.friends == first.friends);
    return 0;
}
