// Any bytes as a language file, read into the messages of the table. Beyond not failing:
// every `Msg` child of the root is seen, in order, with its id as written; the first
// label of each id that is not empty is stored under it, within the longest text a
// message keeps and cut at a character boundary; nothing else is stored; and a second
// reading of the same bytes gives the same messages.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BoundedCheck.h"
#include "FuzzCheck.h"
#include "text/MessageTexts.h"
#include "xml/XmlReader.h"

namespace {

struct Reading {
    MessageTexts messages;
    std::vector<std::string> ids;
};

std::shared_ptr<const XmlTree> Read(const std::string& bytes, Reading& out) {
    XmlReading reading = ReadXml(bytes);
    if (reading.outcome != XmlReading::Outcome::Parsed) return nullptr;
    // A loaded tree holds everything the walk reads: nothing can fail midway.
    FUZZ_CHECK(ReadMessages(XmlElement(reading.tree, 0), out.messages, &out.ids));
    return reading.tree;
}

std::string_view AttributeOf(const XmlTree& tree, std::uint32_t node, std::string_view name) {
    const XmlTree::Attribute* attribute = tree.FindAttribute(node, name);
    return attribute != nullptr ? tree.Value(*attribute) : std::string_view();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Reading first;
    const std::shared_ptr<const XmlTree> tree = Read(bytes, first);
    if (!tree) return 0;

    // The root's `Msg` children from the tree's own nodes.
    std::vector<std::uint32_t> messages;
    for (std::uint32_t c = tree->FirstChild(0); c != XmlTree::kNone; c = tree->NextSibling(0, c))
        if (tree->IsElement(c) && tree->Name(c) == "Msg") messages.push_back(c);
    FUZZ_CHECK(first.ids.size() == messages.size());
    MessageTexts seen;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const std::string_view id = AttributeOf(*tree, messages[i], "id");
        FUZZ_CHECK(first.ids[i] == id);
        if (id.empty() || !seen.emplace(id, "").second) continue;
        const auto stored = first.messages.find(std::string(id));
        FUZZ_CHECK(stored != first.messages.end());
        CheckBounded(AttributeOf(*tree, messages[i], "Label"), stored->second, kLongestMessageText);
    }
    FUZZ_CHECK(first.messages.size() == seen.size());

    Reading second;
    FUZZ_CHECK(Read(bytes, second) != nullptr);
    FUZZ_CHECK(second.messages == first.messages && second.ids == first.ids);
    return 0;
}
