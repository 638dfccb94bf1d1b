#include "XmlCorpus.h"

#include <windows.h>

#include <cstdint>

namespace {

std::wstring Wide(const std::string& utf8) {
    const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    return wide;
}

std::string Gbk(const std::string& utf8) {
    const std::wstring wide = Wide(utf8);
    const int size = ::WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::string Utf16(const std::string& utf8, bool bigEndian, bool mark = true) {
    std::wstring wide = Wide(utf8);
    if (mark) wide.insert(wide.begin(), 0xFEFF);
    std::string bytes;
    for (const wchar_t unit : wide) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string Doc(const std::string& body) { return kDeclaration + "<root>" + body + "</root>\n"; }

// A directory and a language file in one: every record field and message occurs.
const std::string kDirectory = kDeclaration + u8R"(<root>
  <company name="甲公司">
    <list name="研发部">
      <entry name="1002" uri="sip:1002@quorvel.example"><display-name>张伟</display-name><other><Mobile>13800000002</Mobile><phs>0755</phs></other></entry>
      <entry name="1003" uri="sip:x@d"><display-name> 李 娜 </display-name><other><mobile>1</mobile><phs/></other></entry>
      <list name="一组"><entry name="1004" uri="sip:1004@d"><display-name>王&amp;芳</display-name></entry></list>
    </list>
  </company>
  <company name="乙"><list name="B"><entry/></list></company>
  <list name="好友"><entry name="7" uri="u"><display-name>a<b>c</b>d</display-name></entry></list>
  <Msg id="1" Label="确定"/><Msg id="7000" Label="两行\r\n第二行"/><Msg id="07000" Label="x"/><Msg id="" Label="e"/>
</root>
)";

std::string Nested(int depth) {
    std::string s;
    for (int i = 0; i < depth; ++i) s += "<list name=\"" + std::to_string(i) + "\">";
    for (int i = 0; i < depth; ++i) s += "</list>";
    return kDeclaration + s;
}

// The rules one at a time.
std::vector<CorpusFile> RuleCases() {
    std::vector<CorpusFile> files;
    const auto add = [&](const std::string& name, const std::string& bytes) { files.push_back({name, bytes}); };

    // The XML declaration.
    add("no declaration", "<root><Msg id=\"1\" Label=\"a\"/></root>");
    for (const char* version : {"1.0", "1.1", "1.5", "1.", "2.0", "1.0a", "", "1", " 1.0", "1.0 ", "01.0", "1.x"})
        add(std::string("version ") + version, "<?xml version=\"" + std::string(version) + "\"?><root/>");
    add("single quotes", "<?xml version='1.0' encoding='UTF-8'?><root/>");
    add("mixed quotes", "<?xml version='1.0\"?><root/>");
    add("blanks around signs", "<?xml  version = \"1.0\"  encoding = \"UTF-8\"  standalone = \"yes\" ?><root/>");
    add("no version", "<?xml encoding=\"UTF-8\"?><root/>");
    add("standalone before encoding", "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?><root/>");
    add("standalone only", "<?xml version=\"1.0\" standalone='no'?><root/>");
    add("standalone maybe", "<?xml version=\"1.0\" standalone=\"maybe\"?><root/>");
    add("no blank before encoding", "<?xml version=\"1.0\"encoding=\"UTF-8\"?><root/>");
    add("no blank before standalone", "<?xml version=\"1.0\" encoding=\"UTF-8\"standalone=\"no\"?><root/>");
    add("declaration ends with >", "<?xml version=\"1.0\"><root/>");
    add("declaration not closed", "<?xml version=\"1.0\"");
    add("unknown pseudo-attribute", "<?xml version=\"1.0\" other=\"1\"?><root/>");
    add("declaration after a blank", " <?xml version=\"1.0\"?><root/>");
    add("declaration after a comment", "<!-- c --><?xml version=\"1.0\"?><root/>");
    add("declaration twice", "<?xml version=\"1.0\"?><?xml version=\"1.0\"?><root/>");
    add("xml without blank", "<?xml?><root/>");
    add("XML upper case", "<?XML version=\"1.0\"?><root/>");
    add("stylesheet instruction", "<?xml-stylesheet href=\"a\"?><root/>");
    add("xmlfoo instruction", "<?xmlfoo?><root/>");
    add("Xml instruction inside", "<root><?Xml a?></root>");

    // Encodings.
    const std::string chinese = u8"<root><item name=\"会议室甲\">多媒体会议 喆·2026</item></root>";
    for (const char* name : {"utf-8", "UTF8", "utf8", "GBK", "gbk", "Gbk", "gb2312", "GB2312", "GB18030", "gb18030",
                             "cp936", "EUC-CN", "x-gbk", "ISO-8859-1", "US-ASCII", "latin1", "windows-1252",
                             "UTF-16", "bogus", "1abc", "", "UTF_8", "utf-8 "}) {
        const std::string declared = "<?xml version=\"1.0\" encoding=\"" + std::string(name) + "\"?>";
        add(std::string("utf-8 bytes declared ") + name, declared + chinese);
        add(std::string("gbk bytes declared ") + name, declared + Gbk(chinese));
    }
    add("ascii declared ISO-8859-1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><root a=\"b\">c</root>");
    add("gbk bytes undeclared", Gbk(chinese));
    add("utf-8 mark", "\xEF\xBB\xBF" + kDeclaration + chinese);
    add("utf-8 mark undeclared", "\xEF\xBB\xBF" + chinese);
    add("utf-8 mark declared GBK", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"GBK\"?>" + chinese);
    add("utf-8 mark declared utf8", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf8\"?>" + chinese);
    add("utf-8 mark twice", "\xEF\xBB\xBF\xEF\xBB\xBF" + chinese);
    for (const bool bigEndian : {false, true}) {
        const std::string order = bigEndian ? "utf-16be " : "utf-16le ";
        add(order + "declared UTF-16", Utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + chinese, bigEndian));
        add(order + "declared utf-16", Utf16("<?xml version=\"1.0\" encoding=\"utf-16\"?>" + chinese, bigEndian));
        add(order + "undeclared", Utf16(chinese, bigEndian));
        add(order + "declared UTF-8", Utf16("<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + chinese, bigEndian));
        add(order + "declared GBK", Utf16("<?xml version=\"1.0\" encoding=\"GBK\"?>" + chinese, bigEndian));
        add(order + "without mark", Utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + chinese, bigEndian, false));
        add(order + "odd length", Utf16(chinese, bigEndian) + "x");
        add(order + "supplementary character", Utf16(u8"<root>a\U0001F600b</root>", bigEndian));
    }
    std::string lone = Utf16("<root>ab</root>", false);
    lone[8] = '\x00';
    lone[9] = '\xD8';
    add("utf-16 lone surrogate", lone);
    const std::string gbkDeclared = "<?xml version=\"1.0\" encoding=\"GBK\"?><root>";
    for (const char* bytes : {"\x80", "\xFF", "\xA1\x20", "\xA1", "\x81\x30\x81\x30", "\xA1\xA1", "\xFE\xFE", "\xA2\xA0"})
        add("gbk byte sequence " + std::to_string(static_cast<unsigned char>(bytes[0])), gbkDeclared + bytes + "</root>");
    add("gb2312 lead byte at end", "<?xml version=\"1.0\" encoding=\"gb2312\"?><root>\xA1");
    add("ucs-4 signature", std::string("\0\0\0<\0\0\0r\0\0\0/\0\0\0>", 16));
    add("ebcdic signature", "\x4C\x6F\xA7\x94\x93\x40");

    // UTF-8 bytes.
    for (const char* bytes : {"\xC0\xAF", "\xED\xA0\x80", "\xEF\xBF\xBE", "\xEF\xBF\xBF", "\xEF\xB7\x90", "\xC2\x80",
                              "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\x80", "\xE4\xBC", "\x01", "\x1F", "\x7F",
                              "\x0B", "\x0C"})
        add("utf-8 text bytes " + std::to_string(static_cast<unsigned char>(bytes[0])) + "." +
                std::to_string(std::string(bytes).size()),
            Doc(std::string("a") + bytes + "b"));
    add("nul in text", Doc(std::string("a\0b", 3)));
    add("nul after root", kDeclaration + std::string("<root/>\0garbage", 15));
    add("nul after root and blank", kDeclaration + std::string("<root/>\n\0", 9));
    add("nul at start", std::string("\0<root/>", 8));

    // References.
    for (const char* text : {"&lt;&gt;&amp;&apos;&quot;", "&#65;&#x42;&#x1F600;", "&#0;", "&#x0;", "&#xD800;",
                             "&#xFFFE;", "&#xFFFD;", "&#x110000;", "&#99999999999;", "&#X41;", "&#x;", "&#;", "&#65",
                             "&foo;", "&amp", "& ", "&#9;&#10;&#13;", "&#x20;", "&#0065;", "&#x0000041;", "&lt ;",
                             "&LT;", "&#x10FFFF;", "&#xE000;", "&#x7F;", "&#x85;", "&a:b;", "&#12345678901234567890;"}) {
        add(std::string("text ") + text, Doc(std::string("<Msg id=\"1\" Label=\"x\">") + text + "</Msg>"));
        add(std::string("attribute ") + text, Doc(std::string("<Msg id=\"1\" Label=\"") + text + "\"/>"));
    }

    // Line ends and blanks.
    for (const char* text : {"a\r\nb", "a\rb", "a\r\r\nb", "a\n\rb", "\r", "\r\n", " \t a \t ", "a\tb\nc",
                             "&#13;&#10;", "&#13;\n", "\r&#10;"}) {
        add(std::string("text line ends ") + std::to_string(std::string(text).size()),
            Doc(std::string("<blank>") + text + "</blank><list name=\"x\"><entry><display-name>" + text +
                "</display-name></entry></list>"));
        add(std::string("attribute line ends ") + std::to_string(std::string(text).size()),
            Doc(std::string("<Msg id=\"1\" Label=\"") + text + "\"/><list name=\"" + text + "\"/>"));
    }
    add("blank document", "  \n ");
    add("empty document", "");
    add("declaration only", kDeclaration);
    add("comment only", "<!-- c -->");
    add("crlf everywhere", "<?xml version=\"1.0\"?>\r\n<root>\r\n<Msg id=\"1\"\r\nLabel=\"a\r\nb\"/>\r\n</root>\r\n");

    // Character data, sections, comments and instructions.
    for (const char* body : {"]]>", "a]]b", "a]>b", "]]", "a>b", "<![CDATA[<x>&amp;]]>", "<![CDATA[a]]b]]>",
                             "<![CDATA[a]]]>", "<![CDATA[a\r\nb]]>", "<![CDATA[unterminated", "<![cdata[a]]>",
                             "<![CDATA[]]>", "<!---->", "<!-- a -- b -->", "<!-- a --->", "<!--->-->", "<!-- a -",
                             "<!-- \x01 -->", "<!-->-->", "<!-- - -->", "<?pi?>", "<?pi data?>", "<?pi?data?>",
                             "<?pi data", "<?a:b c?>", "<? pi?>", "<?pi \x01?>", "<!ELEMENT a ANY>", "<!a>",
                             "<!DOCTYPE root>", "text<!-- c -->more", "a<?pi x?>b"})
        add(std::string("content ") + body, Doc(std::string("<blank>") + body + "</blank>"));
    add("instruction hides a child", Doc("<entry name=\"1\"><?Mobile x?><other><?phs?><Mobile>1</Mobile><phs>2</phs></other>"
                                         "<?display-name?><display-name>n</display-name></entry>"));
    add("section outside root", "<![CDATA[a]]><root/>");
    add("comment after root", "<root/><!-- c --><?pi?>\n");

    // Names.
    for (const char* name : {"_a", "a.b-c", "1a", "-a", ".a", "a:b", ":a", "a:", "a:b:c", u8"é", u8"会议", u8"a·",
                             u8"\u0300a", u8"a\u0300", u8"\u2070", u8"a\u203F", u8"\U00010000", u8"\U000F0000",
                             u8"a\uFFFD", u8"\u00D7", u8"\u037E", "a$", "a b"})
        add(std::string("element name ") + name, Doc(std::string("<") + name + ">t</" + name + ">"));
    for (const char* name : {u8"名字", u8"n\u0E01", u8"name\u0300", "xmlns", "xmlns:name", "p:name", "Name"})
        add(std::string("attribute name ") + name, Doc(std::string("<Msg id=\"1\" ") + name + "=\"v\" Label=\"l\"/>"));
    add("name of 50000", Doc("<" + std::string(50000, 'n') + "/>"));
    add("name of 50001", Doc("<" + std::string(50001, 'n') + "/>"));
    for (const int length : {16666, 16667}) {
        std::string name;
        for (int i = 0; i < length; ++i) name += u8"会";
        add("chinese name of " + std::to_string(length), Doc("<" + name + "/>"));
    }

    // Attributes.
    for (const char* attributes : {"a=\"1\" a=\"2\"", "a=\"1\"b=\"2\"", "a=1", "a = \"1\"", "a=\"<\"", "a='\"'",
                                   "a=\"'\"", "a", "a=", "a=\"1", "xmlns=\"u\" name=\"n\"", "xmlns:p=\"u\" p:name=\"x\"",
                                   "p:name=\"x\"", "name=\"1\" p:name=\"2\"", "xmlns:p=\"u\" xmlns:q=\"u\" p:x=\"1\" q:x=\"2\"",
                                   "p:x=\"1\" p:x=\"2\"", "xmlns:p=\"\"", "xmlns:p=\"u\" xmlns:p=\"v\"",
                                   "xml:lang=\"zh\" name=\"n\"", "a=\"x>y\"", "a=\"&#60;\"", "a=\"\t\"", "a=\"1\"/ "})
        add(std::string("attributes ") + attributes, Doc(std::string("<list ") + attributes + "><entry name=\"e\"/></list>"));
    std::string many;
    for (int i = 0; i < 20; ++i) many += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    add("twenty attributes", Doc("<list" + many + " name=\"m\"/>"));
    add("twenty attributes and a repeat", Doc("<list" + many + " a3=\"x\"/>"));
    add("twenty attributes and a late repeat", Doc("<list" + many + " name=\"m\" a19=\"x\"/>"));

    // Structure.
    for (const std::string& document :
         {std::string("<a></b>"), std::string("<a></a >"), std::string("<a></ a>"), std::string("<a></a x=\"1\">"),
          std::string("<a/><b/>"), std::string("text<a/>"), std::string("<a/>text"), std::string("<a/>\n \t"),
          std::string("<a>"), std::string("<a><b></a></b>"), std::string("<a/ >"), std::string("< a/>"),
          std::string("<a>&#60;b/></a>"), std::string("<a><b/></a><!DOCTYPE a>"), std::string("</a>"),
          std::string("<a></a></a>"), std::string("<a>\xEF\xBB\xBF</a>")})
        add("structure " + document, kDeclaration + document);

    // Depth and DOCTYPEs.
    for (const int depth : {64, 65, 256, 257, 258, 300}) add("depth " + std::to_string(depth), Nested(depth));
    for (const char* doctype : {"<!DOCTYPE root>", "<!DOCTYPE root SYSTEM \"x.dtd\">",
                                "<!DOCTYPE root [<!ELEMENT root ANY>]>",
                                "<!DOCTYPE root [<!ATTLIST list name CDATA \"dflt\">]>",
                                "<!DOCTYPE root [<!ENTITY a \"b\">]>", "<!doctype root>",
                                "<!DOCTYPE root><!DOCTYPE root>", "<!DOCTYPE root SYSTEM \"x.dtd\"><!-- &u; -->"})
        add(std::string("doctype ") + doctype,
            kDeclaration + doctype + "<root><list name=\"a\"><entry name=\"1\"/></list></root>");

    // Record rules.
    add("records", kDirectory);
    add("records gbk", "<?xml version=\"1.0\" encoding=\"GBK\"?>" + Gbk(kDirectory.substr(kDeclaration.size())));
    add("records gb2312", "<?xml version=\"1.0\" encoding=\"gb2312\"?>" + Gbk(kDirectory.substr(kDeclaration.size())));
    add("records utf-16", Utf16(kDirectory.substr(kDeclaration.size()), false));
    add("display-name with section and comment",
        Doc("<list name=\"l\"><entry name=\"1\"><display-name> a<![CDATA[ <b> ]]><!-- c -->d </display-name>"
            "<other/><other><Mobile>9</Mobile></other></entry></list>"));
    add("messages", Doc("<Msg id=\" 1\" Label=\"a\"/><Msg id=\"+1\" Label=\"b\"/><Msg id=\"-5\" Label=\"c\"/>"
                        "<Msg id=\"2\"/><Msg Label=\"d\"/><x><Msg id=\"3\" Label=\"e\"/></x><msg id=\"4\" Label=\"f\"/>"));
    return files;
}

// A small deterministic generator: the corpus is the same on every run.
class Random {
public:
    std::uint32_t Next(std::uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }

private:
    std::uint32_t state = 14;
};

std::vector<CorpusFile> Mutations() {
    std::vector<CorpusFile> files;
    Random random;
    const std::string& base = kDirectory;
    constexpr int kTruncations = 120;
    for (int i = 0; i < kTruncations; ++i) {
        const std::size_t at = base.size() * static_cast<std::size_t>(i) / kTruncations;
        files.push_back({"cut at " + std::to_string(at), base.substr(0, at)});
    }
    static const char kBytes[] = {'<', '>', '&', ';', '"', '\'', '/', '!', '?', '-', ']', '[', '\r', '\0', '=',
                                  '\xC3', '\x80', '\xFF', ' ', '#', 'x', ':', '\t', '\x01'};
    for (int i = 0; i < 200; ++i) {
        std::string bytes = base;
        const std::size_t at = random.Next(static_cast<std::uint32_t>(bytes.size()));
        bytes[at] = kBytes[random.Next(sizeof kBytes)];
        files.push_back({"byte at " + std::to_string(at) + " = " + std::to_string(static_cast<unsigned char>(bytes[at])),
                         bytes});
    }
    for (int i = 0; i < 80; ++i) {
        std::string bytes = base;
        const std::size_t at = random.Next(static_cast<std::uint32_t>(bytes.size()));
        bytes.erase(at, 1 + random.Next(3));
        files.push_back({"erased at " + std::to_string(at), bytes});
    }
    static const char* const kTokens[] = {"<!-- c -->", "<?pi x?>", "<![CDATA[z]]>", "&amp;", "&#x4E2D;", "&bad;",
                                          "</list>", "<list>", "<x/>", "\r\n", "]]>", "\xEF\xBB\xBF", "<!DOCTYPE r>",
                                          " a=\"1\"", "\xE4\xB8\xAD", "\xD6\xD0"};
    for (int i = 0; i < 120; ++i) {
        std::string bytes = base;
        const std::size_t at = random.Next(static_cast<std::uint32_t>(bytes.size()));
        const char* token = kTokens[random.Next(sizeof kTokens / sizeof kTokens[0])];
        bytes.insert(at, token);
        files.push_back({"inserted " + std::string(token) + " at " + std::to_string(at), bytes});
    }
    return files;
}

}  // namespace

std::vector<CorpusFile> MakeXmlCorpus() {
    std::vector<CorpusFile> files = RuleCases();
    std::vector<CorpusFile> mutations = Mutations();
    files.insert(files.end(), mutations.begin(), mutations.end());
    return files;
}
