#pragma once
// Every message id the library asks the message table for, and what the text is for.
// A host's language file needs a text for each: a missing one shows as "Msg(<id>)".
// The host-folder checker reports against this list; a build test compares it with the
// ids the library's sources ask for, so that the two cannot drift apart.
#include <array>

struct LibraryMessage {
    int id;
    const char* role;
};

// The ids by what they are for; the library asks for every text by one of these names.
namespace messages {
inline constexpr int kPickerOk = 1;
inline constexpr int kLanguageFileFailed = 7000;
inline constexpr int kCurrentTimeLabel = 10409;
inline constexpr int kMemberNameHeading = 10413;
inline constexpr int kMemberIdHeading = 10415;
inline constexpr int kGroupHeading = 10416;
inline constexpr int kPickerTitle = 10601;
inline constexpr int kCompanyTab = 10602;
inline constexpr int kFriendsTab = 10603;
inline constexpr int kTypedNameLabel = 10604;
inline constexpr int kTypedNumberLabel = 10605;
inline constexpr int kAddTypedButton = 10606;
inline constexpr int kChosenNameHeading = 10607;
inline constexpr int kChosenNumberHeading = 10608;
inline constexpr int kRemoveChosenButton = 10609;
}  // namespace messages

inline constexpr std::array<LibraryMessage, 15> kLibraryMessages = {{
    {messages::kPickerOk, "picker: caption of the OK button"},
    {messages::kLanguageFileFailed, "start-up: the box shown when the language file fails part way"},
    {messages::kCurrentTimeLabel, "conference dialog: text before the current date and time"},
    {messages::kMemberNameHeading, "conference dialog: member list, first column header"},
    {messages::kMemberIdHeading, "conference dialog: member list, third column header"},
    {messages::kGroupHeading, "conference dialog and picker: group column header"},
    {messages::kPickerTitle, "picker: window title"},
    {messages::kCompanyTab, "picker: first tab (company directory)"},
    {messages::kFriendsTab, "picker: second tab (friends list)"},
    {messages::kTypedNameLabel, "picker: name label"},
    {messages::kTypedNumberLabel, "picker: number label"},
    {messages::kAddTypedButton, "picker: add button for a person typed by hand"},
    {messages::kChosenNameHeading, "picker: chosen list, first column header"},
    {messages::kChosenNumberHeading, "picker: chosen list, second column header"},
    {messages::kRemoveChosenButton, "picker: remove button"},
}};
