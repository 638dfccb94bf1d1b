// The picker's search on any people and any typing. The input is lines: people as
// "identifier|display name|mobile|phs" up to a line "--", then queries, each typed key
// by key. Every answer while typing on must be the answer of a fresh search.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "picker/SearchIndex.h"

namespace {

constexpr std::size_t kMaxPeople = 200;
constexpr std::size_t kMaxQueries = 16;
constexpr std::size_t kLimit = 12;

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

bool SameHits(const SearchResult& a, const SearchResult& b) {
    if (a.total != b.total || a.hits.size() != b.hits.size()) return false;
    for (std::size_t i = 0; i < a.hits.size(); ++i)
        if (a.hits[i].entry != b.hits[i].entry || a.hits[i].rank != b.hits[i].rank ||
            a.hits[i].friends != b.hits[i].friends)
            return false;
    return true;
}

void CheckShape(const SearchResult& result, std::size_t people) {
    FUZZ_CHECK(result.hits.size() <= kLimit && result.hits.size() <= result.total && result.total <= people);
    for (std::size_t i = 1; i < result.hits.size(); ++i) FUZZ_CHECK(result.hits[i - 1].rank <= result.hits[i].rank);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = Split(std::string_view(reinterpret_cast<const char*>(data), size), '\n');
    std::vector<Company> companies(1);
    companies[0].groups.resize(1);
    std::vector<ContactGroup> friends(1);
    std::size_t line = 0;
    for (std::size_t people = 0; line < lines.size() && lines[line] != "--" && people < kMaxPeople; ++line, ++people) {
        const std::vector<std::string> fields = Split(lines[line], '|');
        const auto field = [&fields](std::size_t i) { return i < fields.size() ? fields[i] : std::string(); };
        ContactEntry entry("", field(0), field(1), "", field(2), field(3));
        // Every other person is a friend as well, so that both directories are searched.
        if (people % 2 == 1) friends[0].entries.push_back(entry);
        companies[0].groups[0].entries.push_back(std::move(entry));
    }
    SearchIndex typing;
    typing.Build(companies, friends);
    SearchIndex fresh;
    fresh.Build(companies, friends);
    const std::size_t people = typing.PersonCount();
    for (std::size_t queries = 0; ++line < lines.size() && queries < kMaxQueries; ++queries) {
        const std::string& query = lines[line];
        for (std::size_t typed = 1; typed <= query.size(); ++typed) {
            const std::string prefix = query.substr(0, typed);
            const SearchResult narrowed = typing.Find(prefix, kLimit);
            (void)fresh.Find(" ", kLimit);  // forgets the last query
            const SearchResult searched = fresh.Find(prefix, kLimit);
            CheckShape(searched, people);
            FUZZ_CHECK(SameHits(narrowed, searched));
        }
        FUZZ_CHECK(FoldLatinCase(query).size() == query.size());
    }
    return 0;
}
