// Which bytes begin a double-byte character is the process's ANSI code page's to say.
// These tests run with the others under code page 936, and again in a process whose
// code page is 1252 (QUORVEL_TEST_ACP names the code page a run expects).
#include <gtest/gtest.h>

#include <windows.h>
#include <cstdlib>
#include <functional>
#include <string>

#include "conference/XmlEscape.h"
#include "directory/HostDirectory.h"
#include "framework/Text.h"
#include "picker/SearchIndex.h"

namespace {

struct CodePageCase {
    const char* what;
    std::function<std::string(const std::string&)> apply;
    std::string given;
    std::string in936;
    std::string in1252;
};

}  // namespace

TEST(ProcessCodePage, DecidesWhereCharactersBeginInRequestsPathsCutsAndSearches) {
    const char* expected = std::getenv("QUORVEL_TEST_ACP");
    const UINT codePage = ::GetACP();
    ASSERT_EQ(codePage, expected != nullptr ? static_cast<UINT>(std::atoi(expected)) : 936u);

    const auto cut2 = [](const std::string& s) { return text::BoundedText(s.c_str(), 2); };
    const CodePageCase cases[] = {
        // "Café": a lone lead byte in 936, a letter in 1252.
        {"request value", EscapeXmlText, "Caf\xE9", "Caf", "Caf\xE9"},
        {"request attribute", EscapeXmlAttribute, "\xE9<\xD6\xDC", "&lt;\xD6\xDC", "\xE9&lt;\xD6\xDC"},
        // "…\Société\host.exe": in 936 "é\" is one character and the folder its parent.
        {"host folder", FolderOfPath, "C:\\h\\Soci\xE9t\xE9\\host.exe", "C:\\h", "C:\\h\\Soci\xE9t\xE9"},
        {"host folder, trail byte 0x5C", FolderOfPath, "C:\\h\\\x81\\x.exe", "C:\\h", "C:\\h\\\x81"},
        {"text cut at two bytes", cut2, "a\xE9\xE9", "a", "a\xE9"},
        {"search folding", FoldLatinCase, "\xC9" "A\xC9", "\xC9" "A\xC9", "\xC9" "a\xC9"},
    };
    if (codePage != 936 && codePage != 1252) GTEST_SKIP() << "no expectations for code page " << codePage;
    for (const CodePageCase& c : cases)
        EXPECT_EQ(c.apply(c.given), codePage == 936 ? c.in936 : c.in1252) << c.what;
}
