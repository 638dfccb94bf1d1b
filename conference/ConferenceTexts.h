#pragma once
// Fixed texts of the conference dialog (the source is UTF-8, the bytes are code page 936).
#include "text/CommonTexts.h"

namespace texts {
inline constexpr char kCaptionLength[] = "Brennic";
inline constexpr char kNameEmpty[] = "会议名称不能为空";
inline constexpr char kNameTooLong[] = "会议名称过长，不能超过64位字符或者32个汉字";
inline constexpr char kDescriptionTooLong[] = "会议描述过长，不能超过128位字符或者64个汉字";
inline constexpr char kTimeNotSet[] = "时间没有正确设置";
inline constexpr char kNoMembers[] = "请您选择参加会议人员";
inline constexpr char kStartAtOnce[] = "既时会议";
// The notice's choices, in the order the sorted combo shows them.
inline constexpr const char* kNoticeMinuteChoices[] = {"10分钟", "20分钟", "30分钟"};
inline constexpr char kSkinName[] = "createmeeting";
// The member's menu.
inline constexpr char kMakeChairman[] = "设为主持人";
inline constexpr char kDeleteMember[] = "删除成员";
// What screen readers read in the chairman's cell, which shows only a picture.
inline constexpr char kChairman[] = "主持人";
}  // namespace texts
