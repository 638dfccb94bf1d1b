#pragma once
// The layer's own reader: a strict, non-validating XML 1.0 reader that makes a whole
// file's bytes into an XmlTree in one pass, working on the bytes themselves (UTF-8, or
// UTF-8 converted from a code page a piece at a time) rather than on a UTF-16 copy.
//
// It accepts exactly what the platform's DOM accepts with the layer's settings (white
// space kept, nothing external) and gives the same texts, for the files hosts write:
// UTF-8 with or without a byte-order mark, UTF-16 with one, and GBK with the names of
// its family (gb2312, gb18030, cp936 and their aliases). Two kinds of file are left to
// the platform's parser: those with a DOCTYPE (a DTD can add default attributes and
// change how values are normalised), and those in any other encoding.
#include <memory>
#include <string>

#include "xml/XmlTree.h"

struct XmlReading {
    enum class Outcome { Parsed, Refused, ForPlatform };
    Outcome outcome = Outcome::Refused;
    std::shared_ptr<const XmlTree> tree;  // when Parsed
    // Why the file does not load, in a few words for the person who has to mend it:
    // when Refused, and when ForPlatform for the case that the platform refuses it too.
    std::string refusal;
};

// Refused: not well-formed, not in its declared encoding, too deep, or a DOCTYPE that
// declares entities. May raise std::bad_alloc.
[[nodiscard]] XmlReading ReadXml(const std::string& bytes);
