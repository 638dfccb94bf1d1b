#include <gtest/gtest.h>

#include <windows.h>

#include "support/TestData.h"
#include "xml/XmlAccessError.h"
#include "xml/XmlDocument.h"

namespace {

const std::string kWeekly = "\xD6\xDC\xC0\xFD\xBB\xE1";  // 周例会 in code page 936

XmlElement Root(XmlDocument& document, const char* file) { return document.Load(TestDataPath(file)); }

std::vector<std::string> Ids(XmlElementCursor cursor) {
    std::vector<std::string> ids;
    for (XmlElement e = cursor.Next(); !e.IsEmpty(); e = cursor.Next()) ids.push_back(e.GetAttribute("id"));
    return ids;
}

}  // namespace

TEST(XmlDocument, EveryEncodingGivesTheSameCodePageBytes) {
    for (const char* file : {"xml/utf8.xml", "xml/gbk.xml", "xml/utf16.xml", "xml/gb2312.xml", "xml/gb18030-upper.xml"}) {
        XmlDocument document;
        const XmlElement root = Root(document, file);
        ASSERT_FALSE(root.IsEmpty()) << file;
        const XmlElement item = root.GetChild("item");
        EXPECT_EQ(item.GetText(), kWeekly) << file;
        EXPECT_EQ(item.GetAttribute("name"), kWeekly) << file;
        EXPECT_EQ(item.GetAttribute("uri"), "sip:1002@d") << file;
    }
}

TEST(XmlDocument, UnreadableFilesGiveAnEmptyRootAndRaiseNothing) {
    for (const char* file : {"xml/missing.xml", "xml/empty.xml", "xml/broken.xml"}) {
        XmlDocument document;
        EXPECT_TRUE(Root(document, file).IsEmpty()) << file;
    }
}

TEST(XmlDocument, RefusesEntityExpansionQuickly) {
    const DWORD start = ::GetTickCount();
    XmlDocument document;
    EXPECT_TRUE(Root(document, "xml/laughs.xml").IsEmpty());
    EXPECT_LT(::GetTickCount() - start, 5000u);
}

TEST(XmlElement, AnElementKeepsItsDocumentAlive) {
    XmlElement item;
    {
        XmlDocument document;
        item = Root(document, "xml/utf8.xml").GetChild("item");
    }
    EXPECT_EQ(item.GetText(), kWeekly);
}

TEST(XmlElementCursor, FiltersByExactNameAndStaysAtTheEnd) {
    XmlDocument document;
    const XmlElement root = Root(document, "xml/mixed.xml");
    ASSERT_FALSE(root.IsEmpty());
    EXPECT_EQ(Ids(root.GetChildren("Msg")), (std::vector<std::string>{"1", "2"}));
    // Every element and nothing else (no text, comment or processing instruction).
    XmlElementCursor all = root.GetChildren("");
    int elements = 0;
    while (!all.Next().IsEmpty()) ++elements;
    EXPECT_EQ(elements, 9);
    EXPECT_TRUE(all.Next().IsEmpty());
    EXPECT_TRUE(all.Next().IsEmpty());
}

TEST(XmlElement, ChildAttributeAndTextRules) {
    XmlDocument document;
    const XmlElement root = Root(document, "xml/mixed.xml");
    const XmlElement entry = root.GetChild("entry");
    EXPECT_EQ(entry.GetChild("Mobile").GetText(), "138");
    EXPECT_EQ(entry.GetChild("mobile").GetText(), "139");
    EXPECT_TRUE(entry.GetChild("MOBILE").IsEmpty());
    EXPECT_EQ(root.GetChild("twice").GetChild("b").GetText(), "first");
    EXPECT_EQ(root.GetChild("blank").GetText(), " word ");
    EXPECT_EQ(root.GetChild("nested").GetText(), "abcd");
    const XmlElement attrs = root.GetChild("attrs");
    EXPECT_TRUE(attrs.HasAttribute("present"));
    EXPECT_EQ(attrs.GetAttribute("present"), "");
    EXPECT_FALSE(attrs.HasAttribute("absent"));
    EXPECT_EQ(attrs.GetAttribute("absent"), "");
    EXPECT_EQ(attrs.GetAttribute("value"), "v & w");
    // A text node's name never matches a tag name.
    EXPECT_TRUE(root.GetChild("#text").IsEmpty());
}

TEST(XmlElement, AnEmptyElementAnswersEmptyExceptForItsChildren) {
    const XmlElement empty;
    EXPECT_TRUE(empty.GetChild("a").IsEmpty());
    EXPECT_EQ(empty.GetAttribute("a"), "");
    EXPECT_FALSE(empty.HasAttribute("a"));
    EXPECT_EQ(empty.GetText(), "");
    try {
        (void)empty.GetChildren("a");
        ADD_FAILURE() << "no error raised";
    } catch (const XmlAccessError& error) {
        EXPECT_EQ(static_cast<unsigned>(error.Status()), 0x80004003u);
    }
}
