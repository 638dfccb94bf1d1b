#include "BenchCommon.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>

#include "directory/HostDirectory.h"
#include "framework/ListView.h"
#include "framework/TreeView.h"
#include "xml/PlatformDom.h"
#include "xml/XmlFile.h"
#include "xml/XmlReader.h"

namespace bench {

int scale = 1;
int CompanyPeople(int company) { return (company == 0 ? 15000 : 5000) * scale; }  // the first is the one moved
int Friends() { return 2000 * scale; }  // a tenth

double Now() {
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Time(const std::function<void()>& work) {
    const double start = Now();
    work();
    return Now() - start;
}

int runs = 3;

void ReadArguments(int argc, char** argv) {
    if (argc > 1) scale = std::max(1, std::atoi(argv[1]) / 20000);
    if (argc > 2) runs = std::max(1, std::atoi(argv[2]));
}

void Verdict(const char* goal, double measured, double budget) {
    std::printf("  %-66s %10.1f ms, goal <= %10.1f ms: %s\n", goal, measured, budget,
                measured >= 0 && measured <= budget ? "met" : "NOT met");
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MedianTime(const std::function<double()>& run) {
    std::vector<double> values;
    for (int i = 0; i < runs; ++i) values.push_back(run());
    return Median(values);
}

// ---- The generated directory ----

int nextId = 1;

// Names as people have them: a common surname (some read two ways) and one or two given
// characters, picked by a fixed sequence so that every run has the same directory; a
// few Latin names among them.
const char* const kSurnames[] = {
    "王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙", "马", "朱", "胡", "郭", "何", "高", "林",
    "罗", "郑", "梁", "谢", "宋", "唐", "许", "韩", "冯", "邓", "曹", "彭", "曾", "肖", "田", "董", "袁", "潘", "于",
    "蒋", "蔡", "余", "杜", "叶", "程", "苏", "魏", "吕", "丁", "任", "沈", "姚", "卢", "姜", "崔", "钟", "谭", "陆",
    "汪", "范", "金", "石", "廖", "贾", "夏", "韦", "付", "方", "白", "邹", "孟", "熊", "秦", "邱", "江", "尹", "薛",
    "闫", "段", "雷", "侯", "龙", "史", "陶", "黎", "贺", "顾", "毛", "郝", "龚", "邵", "万", "钱", "严", "覃", "武",
    "戴", "莫", "孔", "单", "欧阳", "司马", "诸葛"
};
const char* const kGiven[] = {
    "伟", "芳", "娜", "秀", "英", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳", "杰", "娟", "涛", "明", "超",
    "兰", "霞", "平", "刚", "桂", "华", "建", "国", "文", "辉", "玲", "红", "鹏", "晓", "小", "海", "燕", "志", "春",
    "宇", "浩", "婷", "雪", "佳", "欣", "俊", "斌", "飞", "波", "林", "云", "晨", "阳", "琳", "梅", "鑫", "峰", "亮",
    "宁", "东", "颖", "丹", "凯", "倩", "琪", "帆", "瑞", "成", "龙", "慧", "新", "长", "乐", "重", "行", "朝", "和",
    "音", "莉", "蓉", "博"
};
const char* const kLatin[] = {"Alice", "Bob", "Carol", "David", "Emma", "Frank", "Grace", "Henry", "Iris", "Jack"};
const char* const kLatinSurnames[] = {"Wang", "Li", "Zhang", "Liu", "Chen"};

unsigned nameSeed = 12345;
size_t NextPick(size_t count) {
    nameSeed = nameSeed * 1103515245u + 12345u;
    return (nameSeed >> 16) % count;
}

std::string MakeName() {
    if (NextPick(40) == 0) {
        const std::string given = kLatin[NextPick(std::size(kLatin))];
        return given + " " + kLatinSurnames[NextPick(std::size(kLatinSurnames))];
    }
    std::string name = kSurnames[NextPick(std::size(kSurnames))];
    name += kGiven[NextPick(std::size(kGiven))];
    if (NextPick(3) != 0) name += kGiven[NextPick(std::size(kGiven))];
    return name;
}

ContactEntry MakePerson(const std::string& group) {
    const int id = nextId++;
    const std::string name = std::to_string(id);
    char mobile[16];
    std::snprintf(mobile, sizeof mobile, "139%08d", id);
    return ContactEntry(group, name, MakeName(), "sip:" + name + "@bench.cn", mobile, {});
}

// A department with subdepartments two wide, `depth` levels including itself.
ContactGroup MakeTree(const std::string& name, int depth) {
    ContactGroup g;
    g.name = name;
    if (depth > 1)
        for (int i = 0; i < 2; ++i) g.subgroups.push_back(MakeTree(name + "-" + std::to_string(i + 1), depth - 1));
    return g;
}

void CollectGroups(ContactGroup& g, std::vector<ContactGroup*>& all) {
    all.push_back(&g);
    for (ContactGroup& s : g.subgroups) CollectGroups(s, all);
}

// Spreads `people` over the departments in tree order.
void Populate(std::vector<ContactGroup*>& groups, int people) {
    for (size_t i = 0; i < groups.size(); ++i) {
        const int count = people / static_cast<int>(groups.size()) + (static_cast<int>(i) < people % static_cast<int>(groups.size()) ? 1 : 0);
        for (int n = 0; n < count; ++n) groups[i]->entries.push_back(MakePerson(groups[i]->name));
    }
}

std::vector<Company> MakeCompanies() {
    std::vector<Company> companies;
    for (int c = 0; c < 2; ++c) {
        Company company;
        company.name = c == 0 ? "甲集团" : "乙集团";
        int people = CompanyPeople(c);
        for (int d = 0; c == 0 && d < scale; ++d) {
            ContactGroup large;
            large.name = "大部门" + std::to_string(d + 1);
            for (int n = 0; n < kLargeDepartment; ++n) large.entries.push_back(MakePerson(large.name));
            company.groups.push_back(std::move(large));
            people -= kLargeDepartment;
        }
        for (int d = 0; d < 5; ++d) company.groups.push_back(MakeTree(company.name + "部" + std::to_string(d + 1), kDepth));
        std::vector<ContactGroup*> nested;
        for (size_t g = c == 0 ? static_cast<size_t>(scale) : 0; g < company.groups.size(); ++g) CollectGroups(company.groups[g], nested);
        Populate(nested, people);
        companies.push_back(std::move(company));
    }
    return companies;
}

std::vector<ContactGroup> MakeFriends() {
    std::vector<ContactGroup> groups;
    for (int g = 0; g < 10; ++g) groups.push_back(MakeTree("好友组" + std::to_string(g + 1), 2));
    std::vector<ContactGroup*> all;
    for (ContactGroup& g : groups) CollectGroups(g, all);
    Populate(all, Friends());
    return groups;
}

// ---- Writing the files (UTF-8) ----

std::string Utf8(const std::string& cp936) {
    const int wide = ::MultiByteToWideChar(CP_ACP, 0, cp936.c_str(), -1, nullptr, 0);
    std::wstring w(static_cast<size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, cp936.c_str(), -1, &w[0], wide);
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], bytes, nullptr, nullptr);
    s.resize(static_cast<size_t>(bytes - 1));
    return s;
}

void WriteGroup(std::string& out, const ContactGroup& g, int indent) {
    const std::string pad(static_cast<size_t>(indent), ' ');
    out += pad + "<list name=\"" + Utf8(g.name) + "\">\n";
    for (const ContactEntry& e : g.entries)
        out += pad + "  <entry name=\"" + std::string(e.name()) + "\" uri=\"" + std::string(e.uri()) + "\"><display-name>" +
               Utf8(std::string(e.displayName())) +
               "</display-name><other><Mobile>" + std::string(e.mobile()) + "</Mobile><phs></phs></other></entry>\n";
    for (const ContactGroup& s : g.subgroups) WriteGroup(out, s, indent + 2);
    out += pad + "</list>\n";
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

size_t WriteDirectory(const std::string& folder, const std::vector<Company>& companies,
                      const std::vector<ContactGroup>& friends) {
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string departments = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n";
    for (const Company& c : companies) {
        departments += "<company name=\"" + Utf8(c.name) + "\">\n";
        for (const ContactGroup& g : c.groups) WriteGroup(departments, g, 2);
        departments += "</company>\n";
    }
    departments += "</root>\n";
    std::string friendsFile = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n";
    for (const ContactGroup& g : friends) WriteGroup(friendsFile, g, 2);
    friendsFile += "</root>\n";
    if (!WriteFile(folder + "\\DepartmentInfo.xml", departments) || !WriteFile(folder + "\\FriendsInfo.xml", friendsFile))
        return 0;
    return departments.size() + friendsFile.size();
}

bool WriteGeneratedDirectory(GeneratedDirectory& directory) {
    directory.companies = MakeCompanies();
    directory.friends = MakeFriends();
    directory.folder = GetHostDirectory() + "\\dconf";
    directory.bytes = WriteDirectory(directory.folder, directory.companies, directory.friends);
    if (directory.bytes == 0) {
        std::printf("cannot write %s\n", directory.folder.c_str());
        return false;
    }
    std::printf("directory: %d company people (%d and %d), %d department(s) of %d, nested %d deep; %d friends; "
                "%.1f MB of XML; medians of %d runs\n",
                CompanyPeople(0) + CompanyPeople(1), CompanyPeople(0), CompanyPeople(1), scale, kLargeDepartment, kDepth,
                Friends(), static_cast<double>(directory.bytes) / 1e6, runs);
    return true;
}

// ---- Bare platform costs ----

// The platform DOM's load of the file's bytes, as the layer hands them to it, without
// the tree the layer then makes of it.
bool LoadXml(const std::string& path) {
    const std::optional<std::string> bytes = ReadXmlFile(path);
    if (!bytes) return false;
    const Microsoft::WRL::ComPtr<IXMLDOMDocument> document = LoadDom(*bytes);
    Microsoft::WRL::ComPtr<IXMLDOMElement> root;
    return document && SUCCEEDED(document->get_documentElement(root.GetAddressOf())) && root;
}

// The layer's reader on the file's bytes, parsing only.
bool ParseXml(const std::string& path) {
    const std::optional<std::string> bytes = ReadXmlFile(path);
    return bytes && ReadXml(*bytes).outcome == XmlReading::Outcome::Parsed;
}

namespace {
PROCESS_MEMORY_COUNTERS MemoryCounters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}
}  // namespace

double PeakWorkingSetMiB() { return static_cast<double>(MemoryCounters().PeakWorkingSetSize) / (1024.0 * 1024.0); }

double WorkingSetMiB() { return static_cast<double>(MemoryCounters().WorkingSetSize) / (1024.0 * 1024.0); }

HWND MakeHost() {
    return ::CreateWindowExA(0, "STATIC", "bench", WS_POPUP, 0, 0, 400, 600, nullptr, nullptr, nullptr, nullptr);
}

// Groups first, then people at the front of each group, last first: the order in which
// Wine's tree control, which looks a parent up by a scan of its items, fills fastest.
void InsertGroupNodes(const TreeView& tree, HTREEITEM parent, const ContactGroup& g, std::vector<HTREEITEM>& nodes) {
    nodes.push_back(tree.InsertItem(parent, g.name, 1, 0));
    const HTREEITEM node = nodes.back();
    for (const ContactGroup& s : g.subgroups) InsertGroupNodes(tree, node, s, nodes);
}

int InsertPeople(const TreeView& tree, const ContactGroup& g, const std::vector<HTREEITEM>& nodes, size_t& next) {
    const HTREEITEM node = nodes[next++];
    int count = 1;
    for (size_t i = g.entries.size(); i-- > 0;) {
        tree.InsertItem(node, std::string(g.entries[i].displayName()), 2, std::atoi(std::string(g.entries[i].name()).c_str()),
                        TVI_FIRST);
        ++count;
    }
    for (const ContactGroup& s : g.subgroups) count += InsertPeople(tree, s, nodes, next);
    return count;
}

double BareTreeInsertion(const std::vector<Company>& companies, const std::vector<ContactGroup>& friends, int* items,
                         double* destruction) {
    HWND host = MakeHost();
    const DWORD style = WS_CHILD | WS_VISIBLE | TVS_HASLINES;
    const TreeView company(::CreateWindowExA(0, WC_TREEVIEWA, "", style, 0, 0, 200, 400, host, nullptr, nullptr, nullptr));
    const TreeView friendTree(::CreateWindowExA(0, WC_TREEVIEWA, "", style, 0, 0, 200, 400, host, nullptr, nullptr, nullptr));
    *items = 0;
    const double ms = Time([&] {
        std::vector<HTREEITEM> nodes;
        for (const Company& c : companies) {
            const HTREEITEM node = company.InsertItem(nullptr, c.name, 1, 0);
            nodes.push_back(node);
            for (const ContactGroup& g : c.groups) InsertGroupNodes(company, node, g, nodes);
        }
        size_t next = 0;
        for (const Company& c : companies) {
            ++next;
            ++*items;
            for (const ContactGroup& g : c.groups) *items += InsertPeople(company, g, nodes, next);
        }
        std::vector<HTREEITEM> friendNodes;
        for (const ContactGroup& g : friends) InsertGroupNodes(friendTree, nullptr, g, friendNodes);
        next = 0;
        for (const ContactGroup& g : friends) *items += InsertPeople(friendTree, g, friendNodes, next);
    });
    const double destroyed = Time([&] { ::DestroyWindow(host); });
    if (destruction != nullptr) *destruction = destroyed;
    return ms;
}

double BareListRows(int rows, int columns) {
    HWND host = MakeHost();
    const ListView list(::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 500, host,
                                          nullptr, nullptr, nullptr));
    list.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    for (int c = 0; c < columns; ++c) list.InsertColumn(c, "c", 6, 100);
    const double ms = Time([&] {
        RedrawSuspension suspension(list);
        for (int r = 0; r < rows; ++r) {
            const std::string id = std::to_string(r + 1);
            const int row = list.InsertItem(list.GetItemCount(), "员工" + id);
            for (int c = 1; c < columns; ++c) list.SetItemText(row, c, c == 1 ? "139" + id : "部门");
        }
    });
    ::DestroyWindow(host);
    return ms;
}


}  // namespace bench
