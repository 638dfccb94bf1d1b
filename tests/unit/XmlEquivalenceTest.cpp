// The layer's reader held to the platform's DOM: the same files accepted, the same
// records, messages and texts, for every XML file of the tests and a generated corpus
// of broken and odd ones. The DOM is asked directly, as the layer's operations would
// ask it, so that the tree the layer makes of what the DOM loaded is held to it too.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "XmlCorpus.h"
#include "directory/DirectoryReader.h"
#include "support/TestData.h"
#include "text/MessageTable.h"
#include "xml/Bstr.h"
#include "xml/PlatformDom.h"
#include "xml/XmlDocument.h"
#include "xml/XmlFile.h"
#include "xml/XmlReader.h"

namespace {

// What the walk asks every element: the names the readers use and those the corpus tries.
const char* const kChildNames[] = {"company", "list", "entry", "display-name", "other", "Mobile", "phs", "mobile",
                                   "Msg", "msg", "item", "blank", "x", "a", "b", "_a", "a:b", ":a", "a:", "a:b:c",
                                   "会议", "a?", "n", "root"};
const char* const kAttributeNames[] = {"name", "uri", "id", "Label", "a", "b", "v", "xmlns", "xmlns:name", "p:name",
                                       "p:x", "xml:lang", "a3", "a19", "名字", "n?", "Name"};

void DumpElement(const XmlElement& element, std::string& out, int depth) {
    out += std::to_string(depth) + " text=[" + element.GetText() + "]";
    for (const char* name : kAttributeNames)
        if (element.HasAttribute(name)) out += std::string(" @") + name + "=[" + element.GetAttribute(name) + "]";
    for (const char* name : kChildNames) {
        int count = 0;
        XmlElementCursor cursor = element.GetChildren(name);
        while (!cursor.Next().IsEmpty()) ++count;
        const bool first = !element.GetChild(name).IsEmpty();
        if (count > 0 || first) out += std::string(" ") + name + "*" + std::to_string(count) + (first ? "+" : "-");
    }
    out += "\n";
    XmlElementCursor all = element.GetChildren("");
    for (XmlElement child = all.Next(); !child.IsEmpty(); child = all.Next()) DumpElement(child, out, depth + 1);
}

// The same walk through the DOM's own calls.
using Microsoft::WRL::ComPtr;

std::string NodeName(IXMLDOMNode* node) {
    Bstr name;
    node->get_nodeName(name.Out());
    return name.ToAnsi();
}

std::string NodeText(IXMLDOMNode* node) {
    Bstr text;
    node->get_text(text.Out());
    return text.ToAnsi();
}

bool IsElement(IXMLDOMNode* node) {
    DOMNodeType type = NODE_INVALID;
    node->get_nodeType(&type);
    return type == NODE_ELEMENT;
}

ComPtr<IXMLDOMNode> DomAttribute(IXMLDOMNode* element, const char* name) {
    ComPtr<IXMLDOMNamedNodeMap> map;
    element->get_attributes(map.GetAddressOf());
    const Bstr wide = Bstr::FromAnsi(name);
    const Bstr noNamespace(::SysAllocString(L""));
    ComPtr<IXMLDOMNode> attribute;
    if (map) map->getQualifiedItem(wide.Get(), noNamespace.Get(), attribute.GetAddressOf());
    return attribute;
}

// Child nodes in document order.
std::vector<ComPtr<IXMLDOMNode>> DomChildren(IXMLDOMNode* element) {
    std::vector<ComPtr<IXMLDOMNode>> children;
    ComPtr<IXMLDOMNode> child;
    element->get_firstChild(child.GetAddressOf());
    while (child) {
        children.push_back(child);
        ComPtr<IXMLDOMNode> next;
        child->get_nextSibling(next.GetAddressOf());
        child = next;
    }
    return children;
}

void DumpDom(IXMLDOMNode* element, std::string& out, int depth) {
    out += std::to_string(depth) + " text=[" + NodeText(element) + "]";
    for (const char* name : kAttributeNames)
        if (const ComPtr<IXMLDOMNode> attribute = DomAttribute(element, name))
            out += std::string(" @") + name + "=[" + NodeText(attribute.Get()) + "]";
    const std::vector<ComPtr<IXMLDOMNode>> children = DomChildren(element);
    for (const char* name : kChildNames) {
        int count = 0;
        bool first = false, seen = false;
        for (const ComPtr<IXMLDOMNode>& child : children) {
            const bool named = NodeName(child.Get()) == name;
            if (named && !seen) first = IsElement(child.Get());
            seen = seen || named;
            if (named && IsElement(child.Get())) ++count;
        }
        if (count > 0 || first) out += std::string(" ") + name + "*" + std::to_string(count) + (first ? "+" : "-");
    }
    out += "\n";
    for (const ComPtr<IXMLDOMNode>& child : children)
        if (IsElement(child.Get())) DumpDom(child.Get(), out, depth + 1);
}

// The DOM's root of the bytes, walked directly; "refused" without one.
std::string DomWalk(const std::string& bytes) {
    const ComPtr<IXMLDOMDocument> document = LoadDom(bytes);
    ComPtr<IXMLDOMElement> root;
    if (document) document->get_documentElement(root.GetAddressOf());
    if (!root) return "refused";
    std::string out;
    DumpDom(root.Get(), out, 0);
    return out;
}

std::string Walk(const XmlElement& root) {
    if (root.IsEmpty()) return "refused";
    std::string out;
    DumpElement(root, out, 0);
    return out;
}

void DumpGroups(const std::vector<ContactGroup>& groups, std::string& out, int depth) {
    for (const ContactGroup& group : groups) {
        out += std::to_string(depth) + " group [" + group.name + "]\n";
        for (const ContactEntry& e : group.entries) {
            out += std::to_string(depth) + " entry [";
            for (const std::string_view text : {e.groupName(), e.name(), e.displayName(), e.uri(), e.mobile(), e.phs()})
                (out += text) += "|";
            out += "]\n";
        }
        DumpGroups(group.subgroups, out, depth + 1);
    }
}

// Everything the library can learn from a root: directory records, messages, and a
// walk of every element through each operation of the layer.
std::string Everything(const XmlElement& root) {
    if (root.IsEmpty()) return "refused";
    std::string out;
    std::vector<Company> companies;
    out += GetDirectoryReader().ReadCompanies(root, companies) ? "companies\n" : "companies failed\n";
    for (const Company& company : companies) {
        out += "company [" + company.name + "]\n";
        DumpGroups(company.groups, out, 1);
    }
    std::vector<ContactGroup> friends;
    out += GetDirectoryReader().ReadFriendGroups(root, friends) ? "friends\n" : "friends failed\n";
    DumpGroups(friends, out, 1);
    MessageTable table;
    out += table.LoadRoot(root) ? "messages" : "messages failed";
    out += table.IsReady() ? " ready\n" : " not ready\n";
    XmlElementCursor messages = root.GetChildren("Msg");
    for (XmlElement message = messages.Next(); !message.IsEmpty(); message = messages.Next()) {
        const std::string id = message.GetAttribute("id");
        out += "Msg [" + id + "] [" + message.GetAttribute("Label") + "] looked up [" +
               table.Lookup(std::atoi(id.c_str())) + "]\n";
    }
    DumpElement(root, out, 0);
    return out;
}

struct Tally {
    int parsed = 0;
    int refused = 0;
    int forPlatform = 0;
};

void ExpectSameAsPlatform(const std::string& name, const std::string& bytes, Tally& tally) {
    const XmlReading reading = ReadXml(bytes);
    XmlElement mine;
    switch (reading.outcome) {
        case XmlReading::Outcome::Parsed:
            mine = XmlElement(reading.tree, 0);
            ++tally.parsed;
            break;
        case XmlReading::Outcome::Refused:
            ++tally.refused;
            break;
        case XmlReading::Outcome::ForPlatform:
            // The layer hands these bytes to the DOM and makes a tree of what it loaded.
            ++tally.forPlatform;
            mine = DomRoot(LoadDom(bytes));
            break;
    }
    EXPECT_EQ(Walk(mine), DomWalk(bytes)) << name;
    if (reading.outcome != XmlReading::Outcome::ForPlatform) {
        EXPECT_EQ(Everything(mine), Everything(DomRoot(LoadDom(bytes)))) << name;
    }
}

void CollectXmlFiles(const std::string& folder, std::vector<std::string>& files) {
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CollectXmlFiles(path, files);
        } else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0) {
            files.push_back(path);
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

}  // namespace

TEST(XmlEquivalence, EveryXmlFileOfTheTestsLoadsAsThePlatformLoadsIt) {
    std::vector<std::string> files;
    CollectXmlFiles(TestDataPath(""), files);
    CollectXmlFiles(TestDataPath("..\\..\\host\\sample"), files);
    ASSERT_GE(files.size(), 30u);
    Tally tally;
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        XmlDocument document;
        const XmlElement root = document.Load(path);
        const std::optional<std::string> bytes = ReadXmlFile(path);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(Walk(root), DomWalk(*bytes));
        EXPECT_EQ(Everything(root), Everything(DomRoot(LoadDom(*bytes))));
        ExpectSameAsPlatform(path, *bytes, tally);
    }
    // Only DOCTYPEs and encodings the reader leaves alone go to the platform.
    EXPECT_LE(tally.forPlatform, 4);
}

TEST(XmlEquivalence, BrokenAndOddFilesAreReadAsThePlatformReadsThem) {
    const std::vector<CorpusFile> corpus = MakeXmlCorpus();
    ASSERT_GE(corpus.size(), 500u);
    Tally tally;
    for (const CorpusFile& file : corpus) ExpectSameAsPlatform(file.name, file.bytes, tally);
    std::printf("corpus of %d: %d parsed and %d refused by the reader as by the platform, %d left to the platform\n",
                static_cast<int>(corpus.size()), tally.parsed, tally.refused, tally.forPlatform);
    EXPECT_GT(tally.parsed, 150);
    EXPECT_GT(tally.refused, 150);
    EXPECT_LT(tally.forPlatform * 10, static_cast<int>(corpus.size()));
}
