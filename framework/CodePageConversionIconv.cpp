// The portable conversion of the native builds (see CodePageConversion.h); never part
// of the library.
#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/CodePageConversion.h"

namespace codepage {

namespace {

// The deployed setting's ANSI code page.
constexpr unsigned kAnsiIsCodePage = 936;

struct Known {
    unsigned codePage;
    const char* name;
    unsigned maxCharSize;
};
// The 936 family, UTF-8, a Western code page, and the EBCDIC and UTF-7 forms in which the
// platform's parser also reads a document.
constexpr Known kKnown[] = {{936, "CP936", 2},     {54936, "GB18030", 4}, {kUtf8, "UTF-8", 4}, {1252, "CP1252", 1},
                            {37, "IBM037", 1},     {500, "IBM500", 1},    {1047, "IBM1047", 1}, {65000, "UTF-7", 5}};

const Known* Find(unsigned codePage) {
    if (codePage == kAnsi) codePage = kAnsiIsCodePage;
    for (const Known& known : kKnown)
        if (known.codePage == codePage) return &known;
    return nullptr;
}

// One converter each way per code page, opened once; a call resets its state.
class Converter {
public:
    Converter(const char* to, const char* from) : handle(::iconv_open(to, from)) {}
    ~Converter() {
        if (usable()) ::iconv_close(handle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    [[nodiscard]] bool usable() const { return handle != reinterpret_cast<iconv_t>(-1); }

    // Converts `in` into `out` (appending); `onInvalid(out, error)` decides what an invalid
    // (EILSEQ) or unfinished (EINVAL) sequence becomes, `width` bytes skipped, or stops
    // the conversion by returning false.
    template <class OnInvalid>
    bool Run(std::string_view in, std::string& out, std::size_t width, OnInvalid onInvalid) {
        const std::lock_guard<std::mutex> held(lock);
        ::iconv(handle, nullptr, nullptr, nullptr, nullptr);
        char* source = const_cast<char*>(in.data());
        std::size_t left = in.size();
        char buffer[4096];
        while (left > 0) {
            char* target = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t done = ::iconv(handle, &source, &left, &target, &room);
            const int error = errno;
            out.append(buffer, static_cast<std::size_t>(target - buffer));
            if (done != static_cast<std::size_t>(-1) || error == E2BIG) continue;
            const std::size_t skip = std::min(width, left);
            if (!onInvalid(out, error)) return false;
            source += skip;
            left -= skip;
            ::iconv(handle, nullptr, nullptr, nullptr, nullptr);
        }
        return true;
    }

private:
    iconv_t handle;
    std::mutex lock;
};

struct Converters {
    explicit Converters(const char* name) : decoder("UTF-16LE", name), encoder(name, "UTF-16LE") {}
    Converter decoder;
    Converter encoder;
};

Converters& Of(const Known& known) {
    static const std::vector<std::unique_ptr<Converters>> all = [] {
        std::vector<std::unique_ptr<Converters>> made;
        for (const Known& each : kKnown) made.push_back(std::make_unique<Converters>(each.name));
        return made;
    }();
    return *all[static_cast<std::size_t>(&known - kKnown)];
}

Converter& Decoder(const Known& known) { return Of(known).decoder; }
Converter& Encoder(const Known& known) { return Of(known).encoder; }

}  // namespace

unsigned AnsiCodePage() { return 936; }

bool IsAvailable(unsigned codePage) {
    const Known* known = Find(codePage);
    return known != nullptr && Decoder(*known).usable() && Encoder(*known).usable();
}

unsigned MaxCharSize(unsigned codePage) { return IsAvailable(codePage) ? Find(codePage)->maxCharSize : 0; }

bool IsLeadByte(unsigned codePage, unsigned char byte) {
    if (MaxCharSize(codePage) != 2) return false;
    // A byte that the converter takes for the start of an unfinished character.
    Converter& decoder = Decoder(*Find(codePage));
    const char lone[1] = {static_cast<char>(byte)};
    std::string ignored;
    bool incomplete = false;
    decoder.Run(std::string_view(lone, 1), ignored, 1, [&](std::string&, int error) {
        incomplete = error == EINVAL;
        return false;
    });
    return incomplete;
}

std::size_t ToUtf16(unsigned codePage, std::string_view bytes, bool strict, wchar_t* out, std::size_t capacity) {
    if (bytes.empty() || !IsAvailable(codePage)) return 0;
    std::string converted;
    const bool whole = Decoder(*Find(codePage)).Run(bytes, converted, 1, [&](std::string& text, int) {
        if (strict) return false;
        text += "\xFD\xFF";  // U+FFFD
        return true;
    });
    const std::size_t count = converted.size() / 2;
    if (!whole || out == nullptr) return whole ? count : 0;
    if (count > capacity) return 0;
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<wchar_t>(static_cast<unsigned char>(converted[2 * i]) |
                                      static_cast<unsigned char>(converted[2 * i + 1]) << 8);
    return count;
}

std::size_t FromUtf16(unsigned codePage, std::wstring_view units, char* out, std::size_t capacity) {
    if (units.empty() || !IsAvailable(codePage)) return 0;
    std::string little;
    little.reserve(units.size() * 2);
    for (const wchar_t unit : units) {
        // Wider than a unit: not UTF-16 at all, so without a mapping.
        const auto value = static_cast<unsigned long>(unit) > 0xFFFF ? 0xFFFFul : static_cast<unsigned long>(unit);
        little.push_back(static_cast<char>(value & 0xFF));
        little.push_back(static_cast<char>(value >> 8));
    }
    std::string converted;
    // A unit at a time: a lone surrogate or a character the code page lacks.
    Encoder(*Find(codePage)).Run(little, converted, 2, [](std::string& text, int) {
        text += '?';
        return true;
    });
    if (out == nullptr) return converted.size();
    if (converted.size() > capacity) return 0;
    return converted.copy(out, converted.size());
}

}  // namespace codepage
