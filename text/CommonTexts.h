#pragma once
// Fixed texts that every dialog of the library shares (the source is UTF-8, the bytes
// are code page 936).

namespace texts {
// The caption of the library's notices, in the conference dialog, the picker and the
// time control alike.
inline constexpr char kCaptionNotice[] = "多媒体会议－提示";
}  // namespace texts
