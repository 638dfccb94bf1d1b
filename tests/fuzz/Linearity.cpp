// Every parser's time grows with its input, not faster: each worst-case shape is read at
// two sizes eight times apart, and the larger may take at most three times as long per
// byte as the smaller. A reader quadratic in some count takes eight times as long per
// byte. Times are the thread's own processor time, the best of several runs, so that
// other work on a busy machine does not count.
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "directory/DirectoryRecords.h"
#include "picker/SearchIndex.h"
#include "text/MessageTexts.h"
#include "xml/XmlReader.h"

namespace {

constexpr double kMaxRatioPerByte = 3.0;
constexpr int kGrowth = 8;

// An input of `n` units of a shape, and the work of reading it.
struct Shape {
    const char* name;
    int units;  // of the smaller input
    std::function<std::string(int)> make;
    std::function<void(const std::string&)> read;
};

std::string Repeat(const std::string& unit, int n) {
    std::string s;
    s.reserve(unit.size() * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) s += unit;
    return s;
}

std::string Numbered(const char* format, int n) {
    std::string s;
    char buffer[256];
    for (int i = 0; i < n; ++i) {
        std::snprintf(buffer, sizeof buffer, format, i, i);
        s += buffer;
    }
    return s;
}

const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

XmlElement ReadXmlOnly(const std::string& bytes) {
    XmlReading reading = ReadXml(bytes);
    if (reading.outcome != XmlReading::Outcome::Parsed) {
        std::fprintf(stderr, "linearity: the reader did not take its own shape\n");
        std::exit(2);
    }
    return XmlElement(std::move(reading.tree), 0);
}

// Read as the company directory and as the friends list.
void ReadDirectory(const std::string& bytes) {
    const XmlElement root = ReadXmlOnly(bytes);
    std::vector<Company> companies;
    std::vector<ContactGroup> friends;
    (void)DirectoryRecords::ReadCompanies(root, companies);
    (void)DirectoryRecords::ReadFriendGroups(root, friends);
}

void ReadLanguage(const std::string& bytes) {
    MessageTexts messages;
    (void)ReadMessages(ReadXmlOnly(bytes), messages);
}

// `lists` both under a company and under the root, so that both forms read them.
std::string Directory(const std::string& lists) {
    return kDeclaration + ("<d><company name=\"c\">" + lists + "</company>" + lists + "</d>");
}

// Nested to the reader's depth limit, as often as asked.
std::string DeepTrees(int n) {
    const std::string tree = Repeat("<d>", 256) + "x" + Repeat("</d>", 256);
    return std::string(kDeclaration) + "<r>" + Repeat(tree, n) + "</r>";
}

// People to search, with names whose pinyin and digits all match the queries in part.
void Search(const std::string& people) {
    std::vector<Company> companies(1);
    companies[0].groups.resize(1);
    std::size_t id = 1000;
    for (std::size_t at = 0; at < people.size(); at += 6) {
        const std::string name = std::to_string(id++);
        companies[0].groups[0].entries.emplace_back("", name, people.substr(at, 6), "", "139" + name, "");
    }
    SearchIndex index;
    index.Build(companies, {});
    for (const char* query : {"z", "zh", "zhang", "zs", "1", "139", "1391", "张"}) (void)index.Find(query, 12);
}

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double BestSeconds(const Shape& shape, const std::string& input, int runs) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double start = ThreadSeconds();
        shape.read(input);
        best = std::min(best, ThreadSeconds() - start);
    }
    return best;
}

}  // namespace

int main() {
    // Freed memory stays with the allocator and serves the next run: the first touch of
    // fresh pages, which the system charges to the thread, costs far more on a large
    // input (taken from the system anew each run) than on a small one.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    const std::vector<Shape> shapes = {
        {"attributes", 4000, [](int n) { return kDeclaration + ("<r" + Numbered(" a%d=\"v%d\"", n) + "/>"); },
         ReadXmlOnly},
        {"namespace-prefixed attributes", 4000,
         [](int n) { return kDeclaration + ("<r xmlns:p=\"urn:p\"" + Numbered(" p:a%d=\"v%d\"", n) + "/>"); },
         ReadXmlOnly},
        {"namespace declarations and attributes", 2000,
         [](int n) {
             return kDeclaration + ("<r" + Numbered(" xmlns:p%d=\"urn:%d\"", n) + Numbered(" p%d:a=\"v%d\"", n) + "/>");
         },
         ReadXmlOnly},
        {"namespace declarations in nested elements", 2000,
         [](int n) {
             return kDeclaration + ("<r xmlns:p=\"urn:p\">" + Numbered("<e xmlns:q%d=\"urn:%d\" p:a=\"v\"/>", n) +
                                    "</r>");
         },
         ReadXmlOnly},
        {"nesting to the depth limit", 40, DeepTrees, ReadXmlOnly},
        {"long text", 20000, [](int n) { return kDeclaration + ("<r>" + Repeat("text ", n) + "</r>"); },
         ReadXmlOnly},
        {"character references", 5000,
         [](int n) { return kDeclaration + ("<r a=\"" + Repeat("&#x4E2D;", n) + "\">" + Repeat("&#20013;&lt;", n) + "</r>"); },
         ReadXmlOnly},
        {"elements", 2000,
         [](int n) {
             return kDeclaration + ("<r>" + Numbered("<entry name=\"%d\" uri=\"sip:%d@x\"><display-name>n</display-name></entry>", n) +
                                    "</r>");
         },
         ReadXmlOnly},
        {"comments and instructions", 8000,
         [](int n) { return kDeclaration + ("<r>" + Repeat("<!-- c --><?pi data?>", n) + "</r>"); }, ReadXmlOnly},
        {"prologue before a DOCTYPE", 20000,
         [](int n) { return kDeclaration + Repeat("<!-- c -->", n) + "<!DOCTYPE r [<!ELEMENT r ANY>]><r/>"; },
         [](const std::string& bytes) { (void)ReadXml(bytes); }},
        {"people in one group", 1000,
         [](int n) {
             return Directory("<list name=\"g\">" +
                              Numbered("<entry name=\"%d\" uri=\"sip:%d@x\"><display-name>n</display-name><other>"
                                       "<Mobile>139</Mobile><phs>1</phs></other></entry>",
                                       n) +
                              "</list>");
         },
         ReadDirectory},
        {"groups", 2000, [](int n) { return Directory(Numbered("<list name=\"g%d\"><entry name=\"%d\"/></list>", n)); },
         ReadDirectory},
        {"groups nested past the limit", 20,
         [](int n) {
             return Directory(Repeat(Repeat("<list name=\"g\"><entry name=\"1\"/>", 80) + Repeat("</list>", 80), n));
         },
         ReadDirectory},
        {"one person's many children", 8000,
         [](int n) {
             return Directory("<list name=\"g\"><entry name=\"1\">" + Repeat("<x/>", n) +
                              "<display-name>n</display-name><other>" + Repeat("<y/>", n) +
                              "<phs>1</phs></other></entry></list>");
         },
         ReadDirectory},
        {"messages", 2000, [](int n) { return kDeclaration + ("<m>" + Numbered("<Msg id=\"%d\" Label=\"text %d\"/>", n) + "</m>"); },
         ReadLanguage},
        {"messages longer than their bound", 20,
         [](int n) {
             std::string messages;
             for (int i = 0; i < n; ++i)
                 messages += "<Msg id=\"" + std::to_string(i) + "\" Label=\"" + std::string(6000, 'x') + "\"/>";
             return kDeclaration + ("<m>" + messages + "</m>");
         },
         ReadLanguage},
        {"one id many times", 4000, [](int n) { return kDeclaration + ("<m>" + Repeat("<Msg id=\"7000\" Label=\"t\"/>", n) + "</m>"); },
         ReadLanguage},
        {"people searched", 20000, [](int n) { return Repeat("zhang3", n); }, Search},
    };
    bool linear = true;
    for (const Shape& shape : shapes) {
        const std::string small = shape.make(shape.units);
        const std::string large = shape.make(shape.units * kGrowth);
        BestSeconds(shape, small, 1);  // warm
        BestSeconds(shape, large, 1);
        const double smallTime = BestSeconds(shape, small, 7);
        const double largeTime = BestSeconds(shape, large, 3);
        const double ratio = (largeTime / static_cast<double>(large.size())) /
                             (std::max(smallTime, 1e-6) / static_cast<double>(small.size()));
        const bool ok = ratio <= kMaxRatioPerByte;
        linear = linear && ok;
        std::printf("%-44s %9zu B %8.2f ms  %9zu B %8.2f ms  per byte x%.2f %s\n", shape.name, small.size(),
                    smallTime * 1e3, large.size(), largeTime * 1e3, ratio, ok ? "ok" : "NOT LINEAR");
    }
    return linear ? 0 : 1;
}
