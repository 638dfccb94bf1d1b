#pragma once
// Fixed texts of the controls (the source is UTF-8, the bytes are code page 936).
#include "text/CommonTexts.h"

namespace texts {
inline constexpr char kIntegerRequired[] = "请输入一个整数。";
}  // namespace texts
