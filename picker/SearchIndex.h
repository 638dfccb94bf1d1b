#pragma once
// Everyone of both directories, prepared once, found by what a user types: letters of the
// display name, the pinyin of its Chinese characters (syllables whole or cut short, so
// initials too), or digits of a number or of the identifier.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "directory/Company.h"
#include "directory/ContactEntry.h"
#include "directory/ContactGroup.h"

// How well a person matches, best first.
enum class MatchRank { WholeName, FromFirst, Elsewhere };

struct SearchHit {
    const ContactEntry* entry;
    bool friends;  // from the friends list rather than the company directory
    MatchRank rank;
};

struct SearchResult {
    std::vector<SearchHit> hits;  // the best ones, best rank first, then directory order
    size_t total = 0;             // everyone who matches
};

class SearchIndex {
public:
    // One person per identifier (as a number) and directory: the first in depth-first
    // order, which is the entry a move from that directory takes. People whose identifiers
    // are no number are each their own. The records must outlive the index and stay
    // unchanged while it is used.
    void Build(const std::vector<Company>& companies, const std::vector<ContactGroup>& friends);
    void Clear();
    [[nodiscard]] size_t PersonCount() const { return people_.size(); }

    // The people `query` finds, at most `limit` of them, and how many there are in all.
    [[nodiscard]] SearchResult Find(const std::string& query, size_t limit);

private:
    struct Person {
        const ContactEntry* entry;
        uint32_t nameStart;     // the display name, Latin letters in lower case, in names_
        uint32_t nameLength;
        uint32_t numbersStart;  // identifier, mobile and phs, one after the other, in numbers_
        uint32_t idLength;
        uint32_t mobileLength;
        uint32_t phsLength;
        uint32_t initials;      // bit n: a reading of one of its characters begins with 'a' + n
        bool friends;
    };
    void AddPerson(const ContactEntry& entry, bool friends);

    // Everything a query compares lies in these two buffers, next to each other, so that
    // a search of everyone reads memory in order rather than visiting every record.
    std::vector<Person> people_;
    std::string names_;
    std::string numbers_;
    // Whoever the last query found: a query that extends it finds no one else (typing
    // on only narrows), so only they are searched again.
    std::string lastQuery_;
    std::vector<uint32_t> lastMatches_;
};

// Latin capitals of single-byte characters in lower case; double-byte characters of the
// process code page kept whole (their second byte may look like a letter).
[[nodiscard]] std::string FoldLatinCase(const std::string& s);
