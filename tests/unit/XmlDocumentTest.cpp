#include <gtest/gtest.h>

#include "FakeDomNode.h"
#include "support/TestData.h"
#include "xml/Bstr.h"
#include "xml/XmlAccessError.h"
#include "xml/XmlDocument.h"
#include "xml/XmlPrologue.h"

using Microsoft::WRL::ComPtr;

namespace {

XmlElement LoadRoot(XmlDocument& document, const std::string& relative) {
    return document.Load(TestDataPath(relative));
}

// The root of a file as the DOM gives it, for the stand-ins to wrap.
ComPtr<IXMLDOMNode> RealRoot(const std::string& relative) {
    const ComPtr<IXMLDOMDocument> document = CreateDomDocument();
    VARIANT source;
    ::VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = Bstr::FromAnsi(TestDataPath(relative)).Release();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    document->load(source, &loaded);
    ::VariantClear(&source);
    ComPtr<IXMLDOMElement> element;
    document->get_documentElement(element.GetAddressOf());
    ComPtr<IXMLDOMNode> node;
    if (element) element->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(node.GetAddressOf()));
    return node;
}

std::vector<std::string> Ids(XmlElementCursor cursor) {
    std::vector<std::string> ids;
    for (XmlElement e = cursor.Next(); !e.IsEmpty(); e = cursor.Next()) ids.push_back(e.GetAttribute("id"));
    return ids;
}

}  // namespace

TEST(XmlEncodings, EveryEncodingGivesTheSameCodePage936Bytes) {
    // "会议" in code page 936: guards the literal's compilation as well.
    ASSERT_EQ(std::string("会议"), "\xBB\xE1\xD2\xE9");
    const std::string expectedText = "多媒体会议 喆·2026";
    for (const char* file : {"xml/text-utf8.xml", "xml/text-utf8-bom.xml", "xml/text-gbk.xml", "xml/text-utf16.xml",
                             "xml/text-gb2312.xml", "xml/text-gb2312-single-quotes.xml", "xml/text-gb18030.xml",
                             "xml/text-cp936.xml"}) {
        SCOPED_TRACE(file);
        XmlDocument document;
        const XmlElement root = LoadRoot(document, file);
        ASSERT_FALSE(root.IsEmpty());
        const XmlElement item = root.GetChild("item");
        EXPECT_EQ(item.GetText(), expectedText);
        EXPECT_EQ(item.GetAttribute("name"), "会议室甲");
    }
}

TEST(XmlEncodings, Gb2312FileWithBytesOutsideTheCodePageDoesNotLoad) {
    XmlDocument document;
    EXPECT_TRUE(LoadRoot(document, "xml/gb2312-invalid-bytes.xml").IsEmpty());
}

TEST(XmlEncodings, PrologueNamesTheDeclaredEncodingOfEightBitFilesOnly) {
    EXPECT_EQ(XmlPrologue::Read("<?xml version=\"1.0\" encoding = 'Gb2312'?><r/>").declaredEncoding, "Gb2312");
    EXPECT_EQ(XmlPrologue::Read("<?xml version=\"1.0\" encoding=\"gb2312\"?><r/>").ChineseCodePage(), 936u);
    EXPECT_EQ(XmlPrologue::Read("<?xml version=\"1.0\" encoding=\"EUC-CN\"?><r/>").ChineseCodePage(), 936u);
    EXPECT_EQ(XmlPrologue::Read("<?xml version=\"1.0\" encoding=\"gb18030\"?><r/>").ChineseCodePage(), 54936u);
    // Names the parser reads itself stay with the parser.
    EXPECT_FALSE(XmlPrologue::Read("<?xml version=\"1.0\" encoding=\"GBK\"?><r/>").ChineseCodePage());
    EXPECT_FALSE(XmlPrologue::Read("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r/>").ChineseCodePage());
    EXPECT_FALSE(XmlPrologue::Read("<?xml version=\"1.0\"?><r encoding=\"gb2312\"/>").ChineseCodePage());
    EXPECT_FALSE(XmlPrologue::Read("<r/><?xml version=\"1.0\" encoding=\"gb2312\"?>").ChineseCodePage());
    // A byte-order mark decides the encoding, whatever the declaration says.
    EXPECT_FALSE(XmlPrologue::Read("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"gb2312\"?><r/>").ChineseCodePage());
    const std::string utf16("\xFF\xFE<\0?\0x\0m\0l\0 \0e\0n\0c\0o\0d\0i\0n\0g\0=\0\"\0g\0b\0\x32\0\x33\0\x31\0\x32\0\"\0?\0>\0", 42);
    EXPECT_FALSE(XmlPrologue::Read(utf16).ChineseCodePage());

    const XmlPrologue prologue = XmlPrologue::Read("<?xml version=\"1.0\" encoding=\"gb2312\"?><r>\xBB\xE1</r>");
    EXPECT_EQ(prologue.ReencodeAsUtf8("<?xml version=\"1.0\" encoding=\"gb2312\"?><r>\xBB\xE1</r>", 936),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r>\xE4\xBC\x9A</r>");
}

TEST(XmlBrokenFiles, GiveAnEmptyRootAndRaiseNothing) {
    for (const char* file : {"xml/missing.xml", "xml/empty.xml", "xml/not-well-formed.xml", "xml/no-root.xml"}) {
        SCOPED_TRACE(file);
        XmlDocument document;
        XmlElement root;
        EXPECT_NO_THROW(root = LoadRoot(document, file));
        EXPECT_TRUE(root.IsEmpty());
    }
    XmlDocument document;
    EXPECT_TRUE(document.Load("").IsEmpty());
}

TEST(XmlEntities, DoctypesThatDeclareEntitiesAreRefusedQuickly) {
    for (const char* file : {"xml/billion-laughs.xml", "xml/billion-laughs-utf16.xml", "xml/quadratic-blowup.xml",
                             "xml/doctype-entity.xml", "xml/parameter-entity.xml"}) {
        SCOPED_TRACE(file);
        const DWORD start = ::GetTickCount();
        XmlDocument document;
        const XmlElement root = LoadRoot(document, file);
        EXPECT_TRUE(root.IsEmpty());
        // Reading the text is where an accepted document would expand its entities.
        EXPECT_EQ(root.GetText(), "");
        EXPECT_LT(::GetTickCount() - start, 2000u);
    }
}

TEST(XmlEntities, DoctypesWithoutEntitiesAndEntityTextElsewhereLoadAsBefore) {
    for (const char* file : {"xml/doctype-plain.xml", "xml/doctype-elements.xml"}) {
        SCOPED_TRACE(file);
        XmlDocument document;
        EXPECT_EQ(LoadRoot(document, file).GetChild("item").GetText(), "kept");
    }
    XmlDocument document;
    EXPECT_EQ(LoadRoot(document, "xml/entity-text-outside-doctype.xml").GetChild("item").GetText(),
              "<!DOCTYPE r [<!ENTITY a \"b\">]>");
}

TEST(XmlCursor, FiltersByExactTagNameAndSkipsEverythingButElements) {
    XmlDocument document;
    const XmlElement root = LoadRoot(document, "xml/children.xml");
    ASSERT_FALSE(root.IsEmpty());
    EXPECT_EQ(Ids(root.GetChildren("Msg")), (std::vector<std::string>{"1", "2", "3"}));
    // Every child element, no text, comment or processing instruction.
    XmlElementCursor all = root.GetChildren("");
    int count = 0;
    for (XmlElement e = all.Next(); !e.IsEmpty(); e = all.Next()) ++count;
    EXPECT_EQ(count, 11);
    // After the end it stays at the end.
    EXPECT_TRUE(all.Next().IsEmpty());
    EXPECT_TRUE(all.Next().IsEmpty());
    EXPECT_TRUE(root.GetChildren("nothing").Next().IsEmpty());
}

TEST(XmlCursor, ACopySharesThePositionAndRestartsIt) {
    XmlDocument document;
    const XmlElement root = LoadRoot(document, "xml/children.xml");
    XmlElementCursor cursor = root.GetChildren("Msg");
    EXPECT_EQ(cursor.Next().GetAttribute("id"), "1");
    EXPECT_EQ(cursor.Next().GetAttribute("id"), "2");
    XmlElementCursor copy = cursor;
    EXPECT_EQ(copy.Next().GetAttribute("id"), "1");
    EXPECT_EQ(cursor.Next().GetAttribute("id"), "2");
}

TEST(XmlElementReading, GetChildIsExactAndTakesTheFirst) {
    XmlDocument document;
    const XmlElement root = LoadRoot(document, "xml/children.xml");
    EXPECT_EQ(root.GetChild("twice").GetText(), "first");
    EXPECT_EQ(root.GetChild("Mobile").GetText(), "139");
    EXPECT_TRUE(root.GetChild("mobile").IsEmpty());
    EXPECT_TRUE(root.GetChild("absent").IsEmpty());
    // A name that only a non-element node carries gives no element.
    EXPECT_TRUE(root.GetChild("#text").IsEmpty());
    EXPECT_TRUE(root.GetChild("#comment").IsEmpty());
    EXPECT_TRUE(XmlElement().GetChild("twice").IsEmpty());
}

TEST(XmlElementReading, AttributesAsTheParserDeliversThem) {
    XmlDocument document;
    const XmlElement attrs = LoadRoot(document, "xml/children.xml").GetChild("attrs");
    EXPECT_TRUE(attrs.HasAttribute("empty"));
    EXPECT_EQ(attrs.GetAttribute("empty"), "");
    EXPECT_FALSE(attrs.HasAttribute("absent"));
    EXPECT_EQ(attrs.GetAttribute("absent"), "");
    EXPECT_FALSE(attrs.HasAttribute("Value"));
    EXPECT_EQ(attrs.GetAttribute("value"), "a & b 会");
    EXPECT_EQ(attrs.GetAttribute("spaced"), "x y");
    EXPECT_FALSE(XmlElement().HasAttribute("value"));
    EXPECT_EQ(XmlElement().GetAttribute("value"), "");
}

TEST(XmlElementReading, TextKeepsBlanksAndJoinsDescendants) {
    XmlDocument document;
    const XmlElement root = LoadRoot(document, "xml/children.xml");
    EXPECT_EQ(root.GetChild("padded").GetText(), " 字 ");
    EXPECT_EQ(root.GetChild("nested").GetText(), "abcd");
    EXPECT_EQ(XmlElement().GetText(), "");
}

TEST(XmlElementReading, AnElementWithoutAttributeMapRaisesTheNullReferenceError) {
    const ComPtr<IXMLDOMNode> real = RealRoot("xml/children.xml");
    ASSERT_TRUE(real);
    ComPtr<IXMLDOMNode> fake;
    fake.Attach(new FakeElementNode(real, 100, true));
    const XmlElement element(fake);
    ASSERT_FALSE(element.IsEmpty());
    try {
        (void)element.GetAttribute("id");
        FAIL() << "no error raised";
    } catch (const XmlAccessError& error) {
        EXPECT_EQ(error.Status(), E_POINTER);
    }
}

TEST(XmlElementReading, AFailingListRaisesItsStatusFromNext) {
    const ComPtr<IXMLDOMNode> real = RealRoot("xml/children.xml");
    ComPtr<IXMLDOMNode> fake;
    fake.Attach(new FakeElementNode(real, 1));
    XmlElementCursor cursor = XmlElement(fake).GetChildren("Msg");
    EXPECT_EQ(cursor.Next().GetAttribute("id"), "1");
    try {
        (void)cursor.Next();
        FAIL() << "no error raised";
    } catch (const XmlAccessError& error) {
        EXPECT_EQ(error.Status(), E_FAIL);
    }
}
