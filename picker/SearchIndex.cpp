#include "picker/SearchIndex.h"

#include <algorithm>
#include <string_view>

#include "directory/DirectoryWalk.h"
#include "framework/CodePageConversion.h"
#include "framework/Text.h"
#include "picker/PickerRules.h"
#include "picker/PinyinTable.h"

namespace {

bool IsLatinLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Calls `visit(offset, width)` for each character of a text in the process code page.
template <class Visit>
void ForEachCharacter(std::string_view s, Visit visit) {
    for (size_t i = 0; i < s.size();) {
        const size_t width = text::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
        visit(i, width);
        i += width;
    }
}

pinyin::Readings ReadingsAt(std::string_view name, size_t offset, size_t width) {
    // The readings are those of code page 936's characters; another code page's pairs
    // of bytes are other characters.
    static const bool readable = codepage::AnsiCodePage() == 936;
    if (width != 2 || !readable) return {};
    return pinyin::ReadingsOf(static_cast<unsigned char>(name[offset]), static_cast<unsigned char>(name[offset + 1]));
}

// Bitsets of letter positions hold the whole query and the position after it.
constexpr size_t kMaxPinyinLetters = 63;

// What the user typed, in the forms the rules compare.
struct Query {
    std::string folded;   // for the display name
    std::string letters;  // for pinyin: lower-case letters; empty when the query is not all letters
    std::string digits;   // for numbers: empty when the query is not all digits
};

Query PrepareQuery(const std::string& typed) {
    Query q;
    q.folded = FoldLatinCase(typed);
    bool letters = true;
    bool digits = true;
    for (const char c : q.folded) {
        // Blanks and apostrophes may separate syllables ("zhang san", "xi'an").
        if (c == ' ' || c == '\'') {
            digits = false;
            continue;
        }
        if (IsLatinLetter(c))
            q.letters += c;
        else
            letters = false;
        if (!IsDigit(c)) digits = false;
    }
    if (!letters || q.letters.size() > kMaxPinyinLetters) q.letters.clear();
    if (digits) q.digits = q.folded;
    return q;
}

MatchRank Better(MatchRank a, MatchRank b) { return std::min(a, b); }

// The display name contains the query, starting at a character.
bool FindInName(std::string_view name, std::string_view query, MatchRank& rank) {
    if (query.size() > name.size()) return false;
    if (name == query) {
        rank = MatchRank::WholeName;
        return true;
    }
    // Most names lack the first byte altogether; only those that have it are walked.
    if (name.find(query.front()) == std::string_view::npos) return false;
    bool found = false;
    ForEachCharacter(name, [&](size_t offset, size_t) {
        if (found || name.size() - offset < query.size()) return;
        if (name.compare(offset, query.size(), query) != 0) return;
        found = true;
        rank = offset == 0 ? MatchRank::FromFirst : MatchRank::Elsewhere;
    });
    return found;
}

// The letters read as pinyin of consecutive characters of the name: each character gives
// one of its readings, whole or cut short to at least one letter. Positions in the
// letters that chains have reached are kept as bits; a chain may begin at any character.
bool FindPinyin(std::string_view name, std::string_view letters, MatchRank& rank) {
    const size_t m = letters.size();
    const uint64_t done = uint64_t{1} << m;
    uint64_t fromFirst = 1;  // reached by chains that began at the first character
    uint64_t any = 0;        // reached by any chain
    bool found = false;
    ForEachCharacter(name, [&](size_t offset, size_t width) {
        // Only a chain from the first character could still rank better than one found.
        if (found && (rank == MatchRank::WholeName || fromFirst == 0)) return;
        any |= 1;
        uint64_t nextAny = 0;
        uint64_t nextFirst = 0;
        const pinyin::Readings readings = ReadingsAt(name, offset, width);
        for (size_t r = 0; r < readings.count; ++r) {
            const char* syllable = pinyin::SyllableText(readings.syllables[r]);
            for (uint64_t starts = any; starts != 0; starts &= starts - 1) {
                const size_t at = static_cast<size_t>(__builtin_ctzll(starts));
                size_t k = 0;
                while (syllable[k] != '\0' && at + k < m && letters[at + k] == syllable[k]) ++k;
                if (k == 0) continue;
                const uint64_t reached = ((uint64_t{1} << k) - 1) << (at + 1);
                nextAny |= reached;
                if ((fromFirst >> at) & 1) nextFirst |= reached;
            }
        }
        any = nextAny;
        fromFirst = nextFirst;
        MatchRank here = MatchRank::Elsewhere;
        if (fromFirst & done)
            here = offset + width == name.size() ? MatchRank::WholeName : MatchRank::FromFirst;
        else if (!(any & done))
            return;
        rank = found ? Better(rank, here) : here;
        found = true;
    });
    return found;
}

// Fewer digits than a run in a number needs: only identifiers are found by them.
constexpr size_t kMinNumberRun = 3;

// A run of at least three digits anywhere in a number, or the start of the identifier.
bool FindDigits(std::string_view id, std::string_view mobile, std::string_view phs, std::string_view digits,
                MatchRank& rank) {
    bool found = false;
    auto take = [&](MatchRank here) {
        rank = found ? Better(rank, here) : here;
        found = true;
    };
    if (id.compare(0, digits.size(), digits) == 0)
        take(id.size() == digits.size() ? MatchRank::WholeName : MatchRank::FromFirst);
    if (digits.size() >= kMinNumberRun) {
        for (const std::string_view number : {mobile, phs}) {
            const size_t at = number.find(digits);
            if (at == std::string_view::npos) continue;
            take(number.size() == digits.size() ? MatchRank::WholeName
                 : at == 0                       ? MatchRank::FromFirst
                                                 : MatchRank::Elsewhere);
        }
    }
    return found;
}

// Whether everyone that a query extending `last` finds was found by `last`: not so when
// `last` was too few digits for numbers, which a longer run of digits may then find, nor
// when it was separators alone, which gave pinyin no letters to find anyone by.
bool Narrows(const std::string& last, const std::string& typed) {
    if (last.empty() || typed.size() <= last.size() || typed.compare(0, last.size(), last) != 0) return false;
    if (last.find_first_not_of(" '") == std::string::npos) return false;
    const bool digits = std::all_of(last.begin(), last.end(), IsDigit);
    return !digits || last.size() >= kMinNumberRun;
}

}  // namespace

std::string FoldLatinCase(const std::string& s) {
    std::string folded = s;
    ForEachCharacter(folded, [&](size_t offset, size_t width) {
        char& c = folded[offset];
        if (width == 1 && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    });
    return folded;
}

void SearchIndex::Build(const std::vector<Company>& companies, const std::vector<ContactGroup>& friends) {
    Clear();
    // Each identifier once per directory, as the first move would take it.
    std::unordered_set<int> seen;
    const auto addFrom = [this, &seen](bool friendsList) {
        return [this, &seen, friendsList](const ContactEntry& entry) {
            if (!HasNumericId(entry) || seen.insert(NumericId(entry)).second) AddPerson(entry, friendsList);
        };
    };
    ForEachPerson(companies, addFrom(false));
    seen.clear();
    ForEachPerson(friends, addFrom(true));
}

void SearchIndex::Clear() {
    people_.clear();
    people_.shrink_to_fit();
    names_.clear();
    names_.shrink_to_fit();
    numbers_.clear();
    numbers_.shrink_to_fit();
    lastQuery_.clear();
    lastMatches_.clear();
}

void SearchIndex::AddPerson(const ContactEntry& entry, bool friends) {
    Person person{&entry,
                  static_cast<uint32_t>(names_.size()),
                  static_cast<uint32_t>(entry.displayName().size()),
                  static_cast<uint32_t>(numbers_.size()),
                  static_cast<uint32_t>(entry.name().size()),
                  static_cast<uint32_t>(entry.mobile().size()),
                  static_cast<uint32_t>(entry.phs().size()),
                  0,
                  friends};
    numbers_ += entry.name();
    numbers_ += entry.mobile();
    numbers_ += entry.phs();
    const std::string folded = FoldLatinCase(std::string(entry.displayName()));
    ForEachCharacter(folded, [&](size_t offset, size_t width) {
        const pinyin::Readings readings = ReadingsAt(folded, offset, width);
        for (size_t r = 0; r < readings.count; ++r)
            person.initials |= uint32_t{1} << (pinyin::SyllableText(readings.syllables[r])[0] - 'a');
    });
    names_ += folded;
    people_.push_back(person);
}

SearchResult SearchIndex::Find(const std::string& typed, size_t limit) {
    SearchResult result;
    std::vector<uint32_t> matches;
    if (typed.find_first_not_of(' ') == std::string::npos) {
        lastQuery_.clear();
        lastMatches_.clear();
        return result;
    }
    const Query query = PrepareQuery(typed);
    const uint32_t initial = query.letters.empty() ? 0 : uint32_t{1} << (query.letters[0] - 'a');
    // The best `limit` of each rank, in directory order; the list shows them rank by rank.
    std::vector<SearchHit> byRank[3];
    auto search = [&](uint32_t index) {
        const Person& person = people_[index];
        const std::string_view name(names_.data() + person.nameStart, person.nameLength);
        MatchRank rank = MatchRank::Elsewhere;
        MatchRank found = MatchRank::Elsewhere;
        bool matched = false;
        auto consider = [&](bool hit) {
            if (!hit) return;
            found = matched ? Better(found, rank) : rank;
            matched = true;
        };
        consider(FindInName(name, query.folded, rank));
        if (initial & person.initials) consider(FindPinyin(name, query.letters, rank));
        if (!query.digits.empty()) {
            const char* numbers = numbers_.data() + person.numbersStart;
            consider(FindDigits(std::string_view(numbers, person.idLength),
                                std::string_view(numbers + person.idLength, person.mobileLength),
                                std::string_view(numbers + person.idLength + person.mobileLength, person.phsLength),
                                query.digits, rank));
        }
        if (!matched) return;
        matches.push_back(index);
        std::vector<SearchHit>& hits = byRank[static_cast<int>(found)];
        if (hits.size() < limit) hits.push_back(SearchHit{person.entry, person.friends, found});
    };
    if (Narrows(lastQuery_, typed)) {
        for (const uint32_t index : lastMatches_) search(index);
    } else {
        for (uint32_t index = 0; index < people_.size(); ++index) search(index);
    }
    result.total = matches.size();
    lastQuery_ = typed;
    lastMatches_.swap(matches);
    for (const std::vector<SearchHit>& hits : byRank)
        for (const SearchHit& hit : hits)
            if (result.hits.size() < limit) result.hits.push_back(hit);
    return result;
}
