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

inline constexpr std::array<LibraryMessage, 15> kLibraryMessages = {{
    {1, "picker: caption of the OK button"},
    {7000, "start-up: the box shown when the language file fails part way"},
    {10409, "conference dialog: text before the current date and time"},
    {10413, "conference dialog: member list, first column header"},
    {10415, "conference dialog: member list, third column header"},
    {10416, "conference dialog and picker: phone column header"},
    {10601, "picker: window title"},
    {10602, "picker: first tab (company directory)"},
    {10603, "picker: second tab (friends list)"},
    {10604, "picker: name label"},
    {10605, "picker: number label"},
    {10606, "picker: add button for a person typed by hand"},
    {10607, "picker: chosen list, first column header"},
    {10608, "picker: chosen list, second column header"},
    {10609, "picker: remove button"},
}};
