#include "xml/XmlReader.h"

#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>

#include "xml/XmlDecoding.h"
#include "xml/XmlParser.h"
#include "xml/XmlPrologue.h"

namespace {

using Outcome = XmlReading::Outcome;

// How the file was decoded, which decides the encoding names its declaration may give.
enum class Decoding { Utf16WithMark, Utf8WithMark, AsDeclared };

bool DeclarationAgrees(Decoding decoding, const std::string& name, const XmlPrologue& prologue) {
    switch (decoding) {
        case Decoding::Utf16WithMark:
            return name.empty() || NamesUtf16(name);
        case Decoding::Utf8WithMark:
            return name.empty() || NamesUtf8(name);
        case Decoding::AsDeclared:
            // The strict reading of the declaration must find the name the loose one found.
            return name == prologue.declaredEncoding;
    }
    return false;
}

XmlReading Refuse(std::string why) { return {Outcome::Refused, nullptr, std::move(why)}; }
XmlReading LeaveToPlatform(std::string why) { return {Outcome::ForPlatform, nullptr, std::move(why)}; }

const char kNotWellFormed[] = "not well-formed XML";

template <typename Unit>
XmlReading Parse(std::basic_string_view<Unit> text, Decoding decoding, const XmlPrologue& prologue) {
    auto tree = std::make_shared<XmlTree>();
    tree->Reserve(text.size());
    XmlParser<Unit> reader(text, *tree);
    if (!DeclarationAgrees(decoding, reader.Declaration(), prologue)) return LeaveToPlatform(kNotWellFormed);
    reader.Body();
    return {Outcome::Parsed, std::move(tree), {}};
}

// Names the platform's parser reads on its own, besides those this reader decodes.
bool PlatformReads(const std::string& name) {
    for (const char* read : {"UTF-16", "US-ASCII", "ISO-8859-1"})
        if (EqualsIgnoringAsciiCase(name, read)) return true;
    return false;
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

// A file of 8-bit text, by the encoding its declaration names.
XmlReading ReadDeclared(std::string_view body, const XmlPrologue& prologue) {
    const std::string& name = prologue.declaredEncoding;
    if (name.empty() || NamesUtf8(name)) {
        if (FindInvalidUtf8(body) != std::string_view::npos)
            return Refuse(name.empty() ? "encoding: no encoding declared, so it is read as UTF-8, and its bytes are "
                                         "not UTF-8 (GBK without a declaration?)"
                                       : "encoding: declared UTF-8, but its bytes are not UTF-8");
        return Parse<char>(body, Decoding::AsDeclared, prologue);
    }
    if (EqualsIgnoringAsciiCase(name, "GBK")) {
        // The platform reads this name itself, and has its own way with bytes that are
        // not GBK: such a file is its to judge.
        const std::optional<std::string> utf8 = CodePageToUtf8(body, 936);
        if (!utf8) return LeaveToPlatform("encoding: bytes that are not valid in GBK (code page 936)");
        return Parse<char>(*utf8, Decoding::AsDeclared, prologue);
    }
    if (const std::optional<unsigned> codePage = ChineseCodePage(name)) {
        const std::optional<std::string> utf8 = CodePageToUtf8(body, UsableCodePage(*codePage));
        if (!utf8) {
            char why[160];
            std::snprintf(why, sizeof why, "encoding: bytes that are not valid in code page %u, which the declared "
                          "\"%s\" stands for", *codePage, name.c_str());
            return Refuse(why);
        }
        return Parse<char>(*utf8, Decoding::AsDeclared, prologue);
    }
    return LeaveToPlatform(PlatformReads(name) ? kNotWellFormed
                                               : "encoding: " + Quoted(name) + " is not an encoding the library reads");
}

XmlReading ReadForm(const std::string& bytes, const XmlPrologue& prologue) {
    const std::string_view body = std::string_view(bytes).substr(MarkSize(prologue.form));
    switch (prologue.form) {
        case EncodingForm::Utf16LeWithBom:
        case EncodingForm::Utf16BeWithBom: {
            const std::wstring text = DecodeUtf16(body, prologue.form == EncodingForm::Utf16BeWithBom);
            return Parse<wchar_t>(text, Decoding::Utf16WithMark, prologue);
        }
        case EncodingForm::Utf8WithBom:
            if (FindInvalidUtf8(body) != std::string_view::npos)
                return Refuse("encoding: a UTF-8 byte-order mark, but bytes that are not UTF-8");
            return Parse<char>(body, Decoding::Utf8WithMark, prologue);
        case EncodingForm::Bytes:
        case EncodingForm::Utf7WithBom:
            return ReadDeclared(body, prologue);
        case EncodingForm::Utf16Le:
        case EncodingForm::Utf16Be:
        case EncodingForm::Ucs4:
        case EncodingForm::Ebcdic:
            break;
    }
    return LeaveToPlatform(kNotWellFormed);
}

}  // namespace

XmlReading ReadXml(const std::string& bytes) {
    if (bytes.find_first_not_of(" \t\r\n") == std::string::npos) return Refuse("empty file");
    const XmlPrologue prologue = XmlPrologue::Read(bytes);
    if (prologue.declaresEntities) return Refuse("refused: its DOCTYPE declares entities");
    if (prologue.undecodable) return Refuse("encoding: an encoding the library cannot check for entity declarations");
    try {
        return ReadForm(bytes, prologue);
    } catch (const NotWellFormed&) {
        return Refuse(kNotWellFormed);
    } catch (const TooDeep&) {
        char why[120];
        std::snprintf(why, sizeof why, "too deep: elements nested more than %u levels, the parser reads at most %u",
                      static_cast<unsigned>(kMaxXmlDepth), static_cast<unsigned>(kMaxXmlDepth));
        return Refuse(why);
    } catch (const ForPlatform&) {
        return LeaveToPlatform(kNotWellFormed);
    }
}
