#pragma once
// The messages of a language file's loaded root, apart from the table that serves them
// (text/MessageTable.h) and its lock: the walk needs nothing of the platform.
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "xml/XmlElement.h"

// The longest text a message keeps: a label is cut there, at a character boundary, as it
// is read. Every text reaches a window, and a window system may refuse to draw, or end
// the process over, a caption of megabytes.
inline constexpr std::size_t kLongestMessageText = 4096;

using MessageTexts = std::unordered_map<std::string, std::string>;

// Stores the `Label` of every `Msg` child of `root` (not empty) under its `id` exactly as
// written; a `Msg` without an id is skipped, and the first with an id wins. False when
// reading failed midway (an XML access error, memory running out): what was stored
// before stays. `idsAsWritten`, when given, receives the id of every `Msg` read, in
// document order, duplicates and unusable ones included.
bool ReadMessages(const XmlElement& root, MessageTexts& messages, std::vector<std::string>* idsAsWritten = nullptr);
