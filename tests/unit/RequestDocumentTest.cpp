#include <gtest/gtest.h>
#include <windows.h>

#include "conference/Confirm.h"
#include "conference/ConferenceTexts.h"
#include "conference/MemberUri.h"
#include "conference/RequestDocument.h"
#include "conference/StartTime.h"
#include "support/Records.h"
#include "xml/PlatformDom.h"

namespace {

MemberEntry Member(bool checked, const std::string& id, const std::string& phone, const std::string& uri) {
    MemberEntry m;
    m.checked = checked;
    m.id = id;
    m.phone = phone;
    m.uri = uri;
    return m;
}

}  // namespace

TEST(RequestDocument, WritesTheWeeklyMeetingExampleByteForByte) {
    RequestValues v;
    v.userId = "1001";
    v.name = "周例会";
    v.description = "讨论项目进度";
    v.voiceOn = true;
    v.startDigits = "20080520143000";
    v.smsOn = true;
    v.noticeMinutes = 20;
    v.members = {Member(1, "", "801", ""), Member(1, "1002", "802", "sip:1002@example.cn")};
    EXPECT_EQ(WriteRequestDocument(v), kWeeklyMeetingRequest);
    // The bytes of the code page, as the host gets them.
    EXPECT_EQ(std::string(kWeeklyMeetingRequest).substr(45, 6), "\xD6\xDC\xC0\xFD\xBB\xE1");
}

TEST(RequestDocument, UpdateModeCarriesConfIdAndChairmanInTheirPlaces) {
    RequestValues v;
    v.updateMode = true;
    v.userId = "1001";
    v.confId = "12";
    v.name = " a ";
    v.chairmanId = "1002";
    v.description = "x\r\ny";
    v.members = {Member(1, "1002", "802", "sip:1002@d"), Member(0, "1003", "803", "sip:1003@d"),
                 Member(2, "1004", "804", "sip:1004@d")};
    EXPECT_EQ(WriteRequestDocument(v),
              "<dsml method=\"updateconf\"  id=\"1001\">\r\n"
              "<confid>12</confid>\r\n"
              "<name> a </name>\r\n"
              "<chairman>1002</chairman>\r\n"
              "<desc>x\r\ny</desc>\r\n"
              "<audio>0</audio>\r\n"
              "<max>100</max>\r\n"
              "<starttime flag=\"0\"></starttime>\r\n"
              "<msgtime flag=\"0\"></msgtime>\r\n"
              "<userlist>\r\n"
              "<user mobile=\"802\">sip:1002@d</user>\r\n"
              "<user mobile=\"804\">sip:1004@d</user>\r\n"
              "</userlist>\r\n"
              "</dsml>");
}

TEST(RequestDocument, EscapesMarkupInEveryValue) {
    RequestValues v;
    v.userId = "a\"b";
    v.name = "R&D <\xD6\xDC\xBB\xE1>";
    v.description = "1 < 2 & 3 > \"x\"";
    v.members = {Member(1, "", "8\"1", "sip:<a>@d")};
    const std::string doc = WriteRequestDocument(v);
    EXPECT_NE(doc.find("id=\"a&quot;b\">"), std::string::npos);
    EXPECT_NE(doc.find("<name>R&amp;D &lt;\xD6\xDC\xBB\xE1&gt;</name>"), std::string::npos);
    EXPECT_NE(doc.find("<desc>1 &lt; 2 &amp; 3 &gt; &quot;x&quot;</desc>"), std::string::npos);
    EXPECT_NE(doc.find("<user mobile=\"8&quot;1\">sip:&lt;a&gt;@d</user>"), std::string::npos);
}

namespace {
// Parses a request as the server would: false when it is not well-formed XML.
bool ParseRequest(const std::string& request, Microsoft::WRL::ComPtr<IXMLDOMDocument>& document) {
    const int length = ::MultiByteToWideChar(936, 0, request.data(), static_cast<int>(request.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(936, 0, request.data(), static_cast<int>(request.size()), wide.data(), length);
    document = CreateDomDocument();
    VARIANT_BOOL ok = VARIANT_FALSE;
    BSTR text = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    const HRESULT hr = document->loadXML(text, &ok);
    ::SysFreeString(text);
    return SUCCEEDED(hr) && ok == VARIANT_TRUE;
}

std::wstring Attribute(IXMLDOMDocument* document, const wchar_t* path) {
    Microsoft::WRL::ComPtr<IXMLDOMNode> node;
    BSTR query = ::SysAllocString(path);
    const HRESULT hr = document->selectSingleNode(query, &node);
    ::SysFreeString(query);
    if (hr != S_OK) return L"<missing>";
    BSTR value = nullptr;
    node->get_text(&value);
    std::wstring result(value != nullptr ? value : L"");
    ::SysFreeString(value);
    return result;
}
}  // namespace

TEST(RequestDocument, StaysWellFormedAndKeepsValuesWhateverTheyHold) {
    std::string everyControl;
    for (int c = 1; c < 0x20; ++c) everyControl += static_cast<char>(c);
    RequestValues v;
    v.updateMode = true;
    v.userId = "10\x01" "01\t";
    v.confId = "7\x1F" "7";
    v.name = "A" + everyControl + "B";
    v.chairmanId = "1002\x0B";
    v.description = "line one\r\nline two\x08";
    v.members = {Member(1, "1002", "13\n9\r0\t1\x02", "sip:1002\x07@d"),
                 Member(1, "", "\x81\x0A", "\xFF\x80\xD6\xDC\x81")};  // lone lead bytes
    const std::string doc = WriteRequestDocument(v);

    EXPECT_NE(doc.find("<name>A\t\n\rB</name>"), std::string::npos);
    EXPECT_NE(doc.find("<desc>line one\r\nline two</desc>"), std::string::npos);
    EXPECT_NE(doc.find("id=\"1001&#9;\">"), std::string::npos);
    EXPECT_NE(doc.find("<user mobile=\"13&#10;9&#13;0&#9;1\">sip:1002@d</user>"), std::string::npos);
    EXPECT_NE(doc.find("<user mobile=\"&#10;\">\xFF\x80\xD6\xDC</user>"), std::string::npos);

    Microsoft::WRL::ComPtr<IXMLDOMDocument> parsed;
    ASSERT_TRUE(ParseRequest(doc, parsed));
    EXPECT_EQ(Attribute(parsed.Get(), L"/dsml/@id"), L"1001\t");
    EXPECT_EQ(Attribute(parsed.Get(), L"/dsml/userlist/user/@mobile"), L"13\n9\r0\t1");
    EXPECT_EQ(Attribute(parsed.Get(), L"/dsml/confid"), L"77");
}

TEST(MemberIdFromUri, FollowsTheByteRule) {
    EXPECT_EQ(MemberIdFromUri("sip:1002@example.cn"), "1002");
    EXPECT_EQ(MemberIdFromUri("sip:1002"), "");           // no at sign: negative length
    EXPECT_EQ(MemberIdFromUri("abcd@x"), "d");            // no "sip:", at sign at 4: byte 3
    EXPECT_EQ(MemberIdFromUri(""), "");
    EXPECT_EQ(MemberIdFromUri("@sip:12"), "");            // at sign before "sip:"
    EXPECT_EQ(MemberIdFromUri("xsip:@"), "");             // empty user part
    EXPECT_EQ(MemberIdFromUri("sip:12@a@b"), "12");       // first at sign counts
    EXPECT_EQ(MemberIdFromUri("SIP:12@a"), ":12");        // case-sensitive: no "sip:", so from byte 3
}

TEST(StartTextFromDigits, DropsTheSeconds) {
    EXPECT_EQ(StartTextFromDigits("20080520143005"),
              "2008\xC4\xEA" "05\xD4\xC2" "20\xC8\xD5 14:30");
}

TEST(ChairmanId, OnlyAValidIndexNamesAChairman) {
    const std::vector<MemberEntry> members = {Member(1, "1002", "", ""), Member(0, "", "801", "")};
    EXPECT_EQ(ChairmanId(members, 0), "1002");
    EXPECT_EQ(ChairmanId(members, 1), "");  // a typed person cannot chair
    EXPECT_EQ(ChairmanId(members, -1), "");
    EXPECT_EQ(ChairmanId(members, 2), "");
}

namespace {

// A record as a previous call left it, so that every write and every field left alone shows.
ConferenceSettings StoredRecord() {
    ConferenceSettings r;
    r.name = "old name";
    r.description = "old description";
    r.confId = "12";
    r.userId = "old user";
    r.chairman = "old chairman";
    r.startText = "old start";
    r.memberCount = "7";
    r.memberIds = {"1009"};
    r.noticeMinutes = 30;
    return r;
}

ConferenceValues Confirmable() {
    ConferenceValues v;
    v.userId = "1001";
    v.name = "\xD6\xDC\xC0\xFD\xBB\xE1";
    v.description = "d";
    v.members = {Member(1, "", "801", ""), Member(1, "1002", "802", "sip:1002@example.cn")};
    return v;
}

void ExpectRefusal(const std::variant<Refusal, std::string>& result, const char* text, const char* caption,
                   RefusalFocus field) {
    ASSERT_TRUE(std::holds_alternative<Refusal>(result));
    EXPECT_STREQ(std::get<Refusal>(result).text, text);
    EXPECT_STREQ(std::get<Refusal>(result).caption, caption);
    EXPECT_EQ(std::get<Refusal>(result).focus, field);
}

}  // namespace

TEST(Confirm, ABlankOrOverlongNameIsRefusedBeforeAnyWrite) {
    for (const std::string& name : {std::string(), std::string("   "), std::string(65, 'n')}) {
        ConferenceValues v = Confirmable();
        v.name = name;
        ConferenceSettings record = StoredRecord();
        ExpectRefusal(Confirm(v, record), name.size() > 64 ? texts::kNameTooLong : texts::kNameEmpty,
                      name.size() > 64 ? texts::kCaptionLength : texts::kCaptionNotice, RefusalFocus::Name);
        EXPECT_EQ(record.name, "old name");
        EXPECT_EQ(record.userId, "old user");
    }
}

TEST(Confirm, AnOverlongDescriptionStopsAfterUserNameAndChairman) {
    ConferenceValues v = Confirmable();
    v.name = std::string(64, 'n');  // the longest name that passes
    v.description = std::string(129, 'd');
    ConferenceSettings record = StoredRecord();
    ExpectRefusal(Confirm(v, record), texts::kDescriptionTooLong, texts::kCaptionLength, RefusalFocus::Description);
    EXPECT_EQ(record.userId, "1001");
    EXPECT_EQ(record.name, v.name);
    EXPECT_EQ(record.chairman, "1001");  // no chairman marked: the user chairs
    EXPECT_EQ(record.description, "old description");
    EXPECT_EQ(record.memberCount, "7");
}

TEST(Confirm, AnUnsetStartStopsAfterTheDescriptionAndTheProvisionalCount) {
    ConferenceValues v = Confirmable();
    v.chairmanIndex = 1;
    v.scheduled = true;
    v.readStart = [] { return StartReading{}; };
    ConferenceSettings record = StoredRecord();
    ExpectRefusal(Confirm(v, record), texts::kTimeNotSet, texts::kCaptionNotice, RefusalFocus::StartDate);
    v.readStart = [] { return StartReading{std::nullopt, true}; };
    ExpectRefusal(Confirm(v, record), texts::kTimeNotSet, texts::kCaptionNotice, RefusalFocus::RefusedTimeField);
    EXPECT_EQ(record.chairman, "1002");
    EXPECT_EQ(record.description, "d");
    EXPECT_EQ(record.memberCount, "100");
    EXPECT_EQ(record.startText, "old start");
    EXPECT_EQ(record.noticeMinutes, 30);
    EXPECT_EQ(record.memberIds, std::vector<std::string>{"1009"});
}

TEST(Confirm, NoCheckedMemberStopsWithTheStartNoticeAndAnEmptyMemberList) {
    ConferenceValues v = Confirmable();
    v.smsOn = true;
    v.noticeChoice = 1;
    for (MemberEntry& m : v.members) m.checked = false;
    ConferenceSettings record = StoredRecord();
    ExpectRefusal(Confirm(v, record), texts::kNoMembers, texts::kCaptionNotice, RefusalFocus::MemberList);
    EXPECT_EQ(record.startText, texts::kStartAtOnce);
    EXPECT_EQ(record.noticeMinutes, 20);
    EXPECT_TRUE(record.memberIds.empty());
    EXPECT_EQ(record.memberCount, "100");
}

TEST(Confirm, AcceptedValuesFillTheRecordAndTheDocument) {
    ConferenceValues v = Confirmable();
    v.updateMode = true;
    v.voiceOn = true;
    v.scheduled = true;
    v.readStart = [] { return StartReading{"20080520143005"}; };
    v.members.push_back(Member(0, "1003", "803", "sip:1003@example.cn"));
    ConferenceSettings record = StoredRecord();
    const auto result = Confirm(v, record);
    ASSERT_TRUE(std::holds_alternative<std::string>(result));
    EXPECT_EQ(std::get<std::string>(result),
              "<dsml method=\"updateconf\"  id=\"1001\">\r\n"
              "<confid>12</confid>\r\n"
              "<name>\xD6\xDC\xC0\xFD\xBB\xE1</name>\r\n"
              "<desc>d</desc>\r\n"
              "<audio>1</audio>\r\n"
              "<max>100</max>\r\n"
              "<starttime flag=\"1\">20080520143005</starttime>\r\n"
              "<msgtime flag=\"0\"></msgtime>\r\n"
              "<userlist>\r\n"
              "<user mobile=\"801\"></user>\r\n"
              "<user mobile=\"802\">sip:1002@example.cn</user>\r\n"
              "</userlist>\r\n"
              "</dsml>");
    EXPECT_EQ(record.startText, "2008\xC4\xEA" "05\xD4\xC2" "20\xC8\xD5 14:30");
    EXPECT_EQ(record.noticeMinutes, 0);
    // A typed person's id is empty, and counts.
    EXPECT_EQ(record.memberIds, (std::vector<std::string>{"", "1002"}));
    EXPECT_EQ(record.memberCount, "2");
    EXPECT_EQ(record.confId, "12");
}

TEST(Confirm, TheStartIsReadOnlyForAScheduledConferenceThatPassedTheChecksBeforeIt) {
    int reads = 0;
    const auto countingStart = [&reads] {
        ++reads;
        return StartReading{"20080520143005"};
    };
    ConferenceSettings record = StoredRecord();
    ConferenceValues v = Confirmable();
    v.readStart = countingStart;
    (void)Confirm(v, record);  // at once
    v.scheduled = true;
    v.description = std::string(129, 'd');
    (void)Confirm(v, record);  // refused before the start
    EXPECT_EQ(reads, 0);
    v.description.clear();
    (void)Confirm(v, record);
    EXPECT_EQ(reads, 1);
}
