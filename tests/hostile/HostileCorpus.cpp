// The generated corpus: deterministic mutations of the sample host folder's files and
// hand-written odd files, records and calls.
#include "hostile/HostileCase.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace hostile {

namespace {

constexpr char kDepartments[] = "dconf\\DepartmentInfo.xml";
constexpr char kFriends[] = "dconf\\FriendsInfo.xml";
constexpr char kLanguage[] = "lang\\0804.xml";
const char* const kSkinFiles[] = {"skin\\system\\all_select.bmp", "skin\\system\\bitmap_select.bmp",
                                  "skin\\system\\bitmap_unselect.bmp", "skin\\system\\selectcontact_head.bmp"};

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Next(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

std::string Flipped(std::string bytes, uint32_t seed, int count) {
    for (int i = 0; i < count && !bytes.empty(); ++i) {
        const size_t at = Next(seed) % bytes.size();
        bytes[at] = static_cast<char>(Next(seed) & 0xFF);
    }
    return bytes;
}

std::string Cut(const std::string& bytes, int part, int parts) { return bytes.substr(0, bytes.size() * part / parts); }

std::string Repeat(const std::string& s, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += s;
    return out;
}

// A BMP file header and info header claiming `width` × `height` at `bits` per pixel,
// followed by `dataBytes` bytes of pixels, whatever the header says.
std::string Bitmap(int32_t width, int32_t height, uint16_t bits, uint32_t dataBytes) {
    std::string b(54, '\0');
    const auto put32 = [&b](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i)); };
    const auto put16 = [&b](size_t at, uint16_t v) { b[at] = static_cast<char>(v); b[at + 1] = static_cast<char>(v >> 8); };
    b[0] = 'B'; b[1] = 'M';
    put32(2, 54 + dataBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    put16(26, 1);
    put16(28, bits);
    put32(34, dataBytes);
    return b + std::string(dataBytes, '\x5A');
}

std::string Department(const std::string& people) {
    return "<?xml version=\"1.0\" encoding=\"GBK\"?>\n<DepartmentInfo>\n<company name=\"甲\">\n<list name=\"部\">\n" +
           people + "</list>\n</company>\n</DepartmentInfo>\n";
}

std::string Person(const std::string& id, const std::string& display, const std::string& mobile,
                   const std::string& uri = "") {
    return "<entry name=\"" + id + "\" uri=\"" + (uri.empty() ? "sip:" + id + "@d" : uri) + "\"><display-name>" +
           display + "</display-name><other><Mobile>" + mobile + "</Mobile><phs></phs></other></entry>\n";
}

std::string Language(const std::string& messages) {
    return "<?xml version=\"1.0\" encoding=\"GBK\"?>\n<Language>\n" + messages + "</Language>\n";
}

class Corpus {
public:
    explicit Corpus(const std::string& folder)
        : departments_(ReadBytes(folder + "\\" + kDepartments)),
          friends_(ReadBytes(folder + "\\" + kFriends)),
          language_(ReadBytes(folder + "\\" + kLanguage)) {
        for (const char* skin : kSkinFiles) skins_.push_back(ReadBytes(folder + "\\" + skin));
    }

    std::vector<HostileCase> Make() {
        Directories();
        Languages();
        Skins();
        Records();
        Arguments();
        Reentries();
        Threads();
        return std::move(cases_);
    }

private:
    HostileCase& Add(const std::string& kind, const std::string& name) {
        cases_.push_back(HostileCase{});
        cases_.back().kind = kind;
        cases_.back().name = kind + "-" + name;
        return cases_.back();
    }
    HostileCase& AddFile(const std::string& kind, const std::string& name, const std::string& path,
                         const std::string& bytes) {
        HostileCase& c = Add(kind, name);
        c.files.emplace_back(path, bytes);
        return c;
    }
    // A record with every text null.
    static CaseRecord Present() {
        CaseRecord r;
        r.present = true;
        return r;
    }
    // A record of people from the sample directory, so that the member list has rows.
    static CaseRecord Members() {
        CaseRecord r;
        r.present = true;
        r.name = "周例会";
        r.description = "讨论";
        r.ids = {std::string("1002"), std::string("1004"), std::string("1003")};
        return r;
    }

    void Directories() {
        const std::pair<const char*, const std::string*> files[] = {{kDepartments, &departments_}, {kFriends, &friends_}};
        for (const auto& [path, bytes] : files) {
            const std::string tag = path == kDepartments ? "dept" : "friends";
            for (int part = 0; part < 12; ++part)
                AddFile("directory", tag + "-cut" + std::to_string(part), path, Cut(*bytes, part, 12)).record = Members();
            for (uint32_t seed = 1; seed <= 16; ++seed)
                AddFile("directory", tag + "-flip" + std::to_string(seed), path, Flipped(*bytes, seed, 1 + seed % 4))
                    .record = Members();
            Add("directory", tag + "-missing").removedFiles.push_back(path);
        }
        const std::pair<const char*, std::string> odd[] = {
            {"empty", ""},
            {"bom-only", "\xEF\xBB\xBF"},
            {"binary", std::string("\x00\x01\x02\xFF\xFE", 5) + Repeat("\x9C\x81", 500)},
            {"line-breaks-in-attributes", Department(Person("1002", "甲", "139\n0002\r\n\t7") +
                                                     Person("10\t03", "乙", "&#10;139&#9;1"))},
            {"markup-in-values", Department(Person("1&amp;2", "&lt;b&gt;", "&quot;1&quot;", "sip:&lt;x&gt;@d"))},
            {"control-references", Department(Person("1002", "&#1;", "&#31;"))},
            {"lone-lead-bytes", Department(Person("1002", "\x81", "139\x81", "sip:\x81@d"))},
            {"huge-attribute", Department(Person(std::string(100000, '9'), std::string(60000, 'x'), std::string(50000, '1')))},
            {"deep", "<DepartmentInfo><company name=\"c\">" + Repeat("<list name=\"l\">", 300) +
                         Person("1002", "d", "1") + Repeat("</list>", 300) + "</company></DepartmentInfo>"},
            {"entity-declarations", "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>"
                                    "<DepartmentInfo><company name=\"&b;\"/></DepartmentInfo>"},
            {"external-entity", "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY e SYSTEM \"file:///C:/windows/win.ini\">]>"
                                "<DepartmentInfo><company name=\"&e;\"/></DepartmentInfo>"},
            {"utf16-without-bom", std::string("<\0D\0/\0>\0", 8)},
            {"gb18030", "<?xml version=\"1.0\" encoding=\"gb18030\"?>" + Department(Person("1002", "甲", "1")).substr(39)},
            {"same-person-everywhere", Department(Repeat(Person("1002", "李明", "1"), 400))},
            {"ids-that-read-alike", Department(Person("0012", "a", "1") + Person("12", "b", "2") + Person("", "c", "3") +
                                               Person("x", "d", "4") + Person("-5", "e", "5") +
                                               Person("99999999999999999999", "f", "6"))},
            {"no-names", Department(Repeat("<entry/>\n", 50) + "<list/><list name=\"\"><entry uri=\"\"/></list>")},
            {"two-roots", Department("") + "<DepartmentInfo/>"},
            {"many-people", Department([] {
                 std::string people;
                 for (int i = 0; i < 3000; ++i) people += Person(std::to_string(20000 + i), "人" + std::to_string(i), "139");
                 return people;
             }())},
        };
        for (const auto& [name, bytes] : odd) AddFile("directory", name, kDepartments, bytes).record = Members();
        AddFile("directory", "friends-line-breaks", kFriends,
                "<FriendsInfo><list name=\"g\">" + Person("3001", "友", "139\r\n1") + "</list></FriendsInfo>");
    }

    void Languages() {
        for (int part = 0; part < 8; ++part) AddFile("language", "cut" + std::to_string(part), kLanguage, Cut(language_, part, 8));
        for (uint32_t seed = 1; seed <= 8; ++seed)
            AddFile("language", "flip" + std::to_string(seed), kLanguage, Flipped(language_, seed, 2));
        Add("language", "missing").removedFiles = {kLanguage, "lang\\0409.xml"};
        const std::pair<const char*, std::string> odd[] = {
            {"format-specifiers", Language("<Msg id=\"10409\" Label=\"%s%s%s%n%x\"/><Msg id=\"10601\" Label=\"%n%n%n\"/>"
                                           "<Msg id=\"10413\" Label=\"%99999999d\"/>")},
            {"huge-label", Language("<Msg id=\"10601\" Label=\"" + std::string(200000, 'x') + "\"/>")},
            {"odd-ids", Language("<Msg id=\"07000\" Label=\"a\"/><Msg id=\" 12\" Label=\"b\"/><Msg id=\"-1\" Label=\"c\"/>"
                                 "<Msg id=\"99999999999\" Label=\"d\"/><Msg Label=\"e\"/><Msg id=\"10409\"/>")},
            {"duplicate-ids", Language(Repeat("<Msg id=\"10409\" Label=\"时间\"/>", 200))},
            {"control-references", Language("<Msg id=\"10601\" Label=\"&#10;&#13;&#9;\"/>")},
            {"not-xml", "Label=10409"},
        };
        for (const auto& [name, bytes] : odd) AddFile("language", name, kLanguage, bytes);
        // Labels of 20 MB, which a window system refuses to draw at once: the picker's
        // caption, a column heading of each list, and buttons of both dialogs.
        const std::pair<const char*, std::vector<int>> huge[] = {
            {"20mb-caption", {10601}}, {"20mb-column-headings", {10413, 10607}}, {"20mb-buttons", {1, 10606}}};
        for (const auto& [name, ids] : huge) {
            HostileCase& c = Add("language", name);
            c.madeFiles.emplace_back(kLanguage, [ids = ids] {
                std::string messages;
                for (const int id : ids)
                    messages += "<Msg id=\"" + std::to_string(id) + "\" Label=\"" + std::string(20 << 20, 'W') + "\"/>";
                return Language(messages);
            });
        }
    }

    void Skins() {
        for (size_t i = 0; i < std::size(kSkinFiles); ++i) {
            const std::string tag = "skin" + std::to_string(i);
            const std::string& bytes = skins_[i];
            AddFile("skin", tag + "-half", kSkinFiles[i], Cut(bytes, 1, 2));
            AddFile("skin", tag + "-header-only", kSkinFiles[i], bytes.substr(0, 54));
            AddFile("skin", tag + "-empty", kSkinFiles[i], "");
            AddFile("skin", tag + "-text", kSkinFiles[i], "not a picture");
            AddFile("skin", tag + "-huge-claim", kSkinFiles[i], Bitmap(30000, 30000, 24, 64));
            AddFile("skin", tag + "-over-limit-claim", kSkinFiles[i], Bitmap(4097, 4097, 32, 64));
            AddFile("skin", tag + "-short-rows", kSkinFiles[i], Bitmap(4096, 4096, 32, 64));
            AddFile("skin", tag + "-negative-size", kSkinFiles[i], Bitmap(-16, -16, 24, 768));
            AddFile("skin", tag + "-one-pixel", kSkinFiles[i], Bitmap(1, 1, 24, 4));
            AddFile("skin", tag + "-flip", kSkinFiles[i], Flipped(bytes, 7 + static_cast<uint32_t>(i), 6));
            Add("skin", tag + "-missing").removedFiles.push_back(kSkinFiles[i]);
        }
    }

    void Records() {
        const auto record = [this](const std::string& name) -> CaseRecord& {
            HostileCase& c = Add("record", name);
            c.record = Members();
            return c.record;
        };
        record("all-null") = Present();
        record("null-texts-update").confId = "77";
        { CaseRecord& r = record("null-everything-but-confid"); r = Present(); r.confId = "8"; }
        const std::string controls = [] {
            std::string s;
            for (int c = 1; c < 0x20; ++c) s += static_cast<char>(c);
            return s;
        }();
        record("control-name").name = "会" + controls + "议";
        record("control-description").description = controls + "说明\r\n第二行";
        record("control-confid").confId = "7" + controls;
        record("control-userid").userId = "1001" + controls;
        record("control-chairman").chairman = "1002\n";
        record("control-member-ids").ids = {std::string("10\n02"), std::string("\x01"), std::string("1004\t")};
        record("huge-name").name = std::string(1 << 20, 'n');
        record("huge-description").description = Repeat("说明", 1 << 19);
        record("huge-confid").confId = std::string(1 << 20, '7');
        record("huge-member-id").ids = {std::string(1 << 20, '1')};
        record("lone-lead-byte-name").name = "会议\x81";
        record("markup-name").name = "</name><x>&amp;";
        record("negative-count").count = -7;
        { CaseRecord& r = record("huge-count-null-ids"); r.nullIds = true; r.count = 1000000; }
        { CaseRecord& r = record("null-ids-entries"); r.ids = {std::nullopt, std::string("1002"), std::nullopt}; }
        record("zero-count").count = 0;
        record("many-ids").ids = std::vector<std::optional<std::string>>(5000, std::string("1002"));
        record("notice-negative").noticeMinutes = -30;
        record("notice-huge").noticeMinutes = 2147483647;
        record("notice-odd").noticeMinutes = 17;
        const char* starts[] = {"", "既时会议", "garbage", "2008年05月20日 14:30", "9999年99月99日 99:99",
                                "0年0月0日 0:0", "2008年13月40日 25:61", "年月日 :", "2008年05月20日",
                                "-1年-1月-1日 -1:-1", "２００８年５月２０日 14:30", "2008年05月20日 14:30:99:99"};
        int i = 0;
        for (const char* start : starts) record("start-" + std::to_string(i++)).startText = start;
        record("start-huge").startText = Repeat("2008年", 100000);
        record("member-count-garbage").memberCount = "-99x";
        record("chairman-not-a-member").chairman = "4242";
        record("markup-member-ids").ids = {std::string("\"/><x>"), std::string("&amp;"), std::string("1002")};
        { CaseRecord& r = record("huge-spares"); r.spare1 = std::string(1 << 20, 's'); r.spare2 = r.spare1; }
        record("uri-like-ids").ids = {std::string("sip:1002@d"), std::string("1002@"), std::string("@")};
        record("empty-ids").ids = std::vector<std::optional<std::string>>(50, std::string());
    }

    void Arguments() {
        Add("arguments", "no-record").record.present = false;
        Add("arguments", "null-user").userId = std::nullopt;
        Add("arguments", "huge-user").userId = std::string(1 << 20, '1');
        Add("arguments", "control-user").userId = std::string("10\x01\n\t01");
        Add("arguments", "markup-user").userId = "\"/><x a=\"";
        Add("arguments", "null-notify").notify = Notify::Null;
        Add("arguments", "invalid-notify").notify = Notify::Invalid;
        Add("arguments", "destroyed-notify").notify = Notify::Destroyed;
        Add("arguments", "returned-record-back").reentry = Reentry::ReturnedRecordBack;
        HostileCase& back = Add("arguments", "returned-record-back-with-members");
        back.reentry = Reentry::ReturnedRecordBack;
        back.record = Members();
        back.record.confId = "77";
    }

    void Reentries() {
        for (const Reentry reentry : {Reentry::FromConfirmation, Reentry::FromCancel, Reentry::FromOtherThread}) {
            const std::string name = reentry == Reentry::FromConfirmation ? "from-confirmation"
                                     : reentry == Reentry::FromCancel     ? "from-cancel"
                                                                          : "from-other-thread";
            for (const bool withRecord : {false, true}) {
                HostileCase& c = Add("reentry", name + (withRecord ? "-record" : ""));
                c.reentry = reentry;
                if (withRecord) c.record = Members();
            }
        }
    }

    void Threads() {
        for (const Thread thread : {Thread::WithoutCom, Thread::Multithreaded}) {
            const std::string tag = thread == Thread::WithoutCom ? "without-com" : "multithreaded";
            Add("thread", tag).thread = thread;
            Add("thread", tag + "-record").record = Members();
            cases_.back().thread = thread;
            HostileCase& typed = Add("thread", tag + "-no-picker");
            typed.usePicker = false;
            typed.record = Members();
            typed.thread = thread;
            HostileCase& c = Add("thread", tag + "-reentry");
            c.thread = thread;
            c.reentry = Reentry::FromConfirmation;
        }
    }

    std::string departments_, friends_, language_;
    std::vector<std::string> skins_;
    std::vector<HostileCase> cases_;
};

}  // namespace

std::vector<HostileCase> MakeCorpus(const std::string& hostFolder) { return Corpus(hostFolder).Make(); }

}  // namespace hostile
