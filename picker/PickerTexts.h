#pragma once
// Fixed texts of the contact picker (the source is UTF-8, the bytes are code page 936).
#include "text/CommonTexts.h"

namespace texts {
inline constexpr char kTypedNameEmpty[] = "名字不能为空";
inline constexpr char kTypedNumberEmpty[] = "电话号码不能为空";
inline constexpr char kTypedNumberChosen[] = "此号码已经加入";
// The last row of the suggestions when more people match than it shows; %u is how many.
inline constexpr char kMoreSuggestions[] = "…（共 %u 人）";
}  // namespace texts
