#pragma once
// What the loader learns from a file's bytes before a parser sees them: the form of the
// text, the encoding named in the XML declaration, and whether a DOCTYPE declares
// entities.
//
// Two things of the platform's parser make this necessary. It refuses the Chinese
// encoding names "gb2312", "gb18030", "cp936" and their aliases, which hosts of this
// kind commonly write and which the parser on Windows reads as code page 936. And it
// keeps entity references unexpanded when it loads, expanding them again on every
// `text` asked for, without a bound on the size: one 5,000-character entity referenced
// 2,000 times costs seconds per read, larger ones minutes and gigabytes. Its
// "ProhibitDTD" property is accepted but ignored, so such files are refused here: the
// DOCTYPE is looked for in the text as the parser will decode it (UTF-16, UCS-4, EBCDIC,
// UTF-7 and the double-byte code pages included), and a file whose text this guard
// cannot decode is refused as well.
#include <cstddef>
#include <optional>
#include <string>

#include "xml/XmlDecoding.h"

struct XmlPrologue {
    EncodingForm form = EncodingForm::Bytes;
    // The encoding as declared, and where its value sits in the bytes (EncodingForm::Bytes
    // only). Read leniently: the guard must see what a lenient parser would.
    std::string declaredEncoding;
    std::size_t encodingOffset = 0;
    // The internal DTD subset declares entities (general or parameter).
    bool declaresEntities = false;
    // The text could not be decoded to look for a DOCTYPE.
    bool undecodable = false;

    [[nodiscard]] static XmlPrologue Read(const std::string& bytes);

    // Whether no parser may see the file.
    [[nodiscard]] bool Refused() const { return declaresEntities || undecodable; }

    // ChineseCodePage of the declared name.
    [[nodiscard]] std::optional<unsigned> ChineseCodePage() const;

    // The document re-encoded as UTF-8 with "UTF-8" as its declared encoding, from bytes
    // in `codePage`; empty when the bytes are not valid in that code page (the parser
    // would refuse such a file too). UTF-8 rather than renaming the declaration to GBK:
    // the decoding is then by the code page the declared name stands for, and the parser
    // meets an encoding that every version of it reads alike.
    [[nodiscard]] std::optional<std::string> ReencodeAsUtf8(const std::string& bytes, unsigned codePage) const;
};
