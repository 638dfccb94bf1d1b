// What a 32-bit host compiled from Quorvel.h relies on, checked where the i686 DLL is
// built: its tests may not run on every build machine, so the compiler is the guard.
#include <cstddef>
#include <type_traits>

#include "Quorvel.h"

#if defined(__i386__)
// The record as a Microsoft compiler lays it out for a 32-bit host: 4-byte pointers, no padding.
static_assert(sizeof(void*) == 4, "i686 build with 8-byte pointers");
// Every field is a pointer or an int, one after the other.
constexpr std::size_t kFieldOffsets[] = {
    offsetof(ConferenceRecord, name),        offsetof(ConferenceRecord, description),
    offsetof(ConferenceRecord, confId),      offsetof(ConferenceRecord, userId),
    offsetof(ConferenceRecord, chairman),    offsetof(ConferenceRecord, startText),
    offsetof(ConferenceRecord, memberCount), offsetof(ConferenceRecord, memberIds),
    offsetof(ConferenceRecord, memberIdCount), offsetof(ConferenceRecord, spare1),
    offsetof(ConferenceRecord, spare2),      offsetof(ConferenceRecord, noticeMinutes)};
constexpr bool FieldsFollowEachOther() {
    for (std::size_t i = 0; i < sizeof kFieldOffsets / sizeof kFieldOffsets[0]; ++i)
        if (kFieldOffsets[i] != 4 * i) return false;
    return true;
}
static_assert(FieldsFollowEachOther(), "record layout");
static_assert(sizeof(ConferenceRecord) == 48, "record size");
// A host declares the export from the header with the C calling convention; a
// __stdcall definition would unbalance the host's stack on every call.
static_assert(std::is_same<decltype(&DLL_CreateConference),
                           ConferenceRecord*(__cdecl*)(HWND, const ConferenceRecord*, const char*)>::value,
              "the export must be __cdecl");
static_assert(!std::is_same<decltype(&DLL_CreateConference),
                            ConferenceRecord*(__stdcall*)(HWND, const ConferenceRecord*, const char*)>::value,
              "the compiler does not tell calling conventions apart");
#elif defined(__x86_64__)
static_assert(offsetof(ConferenceRecord, memberIds) == 56, "record layout");
static_assert(offsetof(ConferenceRecord, memberIdCount) == 64, "record layout");
static_assert(offsetof(ConferenceRecord, spare1) == 72, "record layout");
static_assert(offsetof(ConferenceRecord, noticeMinutes) == 88, "record layout");
static_assert(sizeof(ConferenceRecord) == 96, "record size");
#endif
// A host that loads the library itself calls through the header's function type.
static_assert(std::is_same<decltype(&DLL_CreateConference), PFN_DLL_CreateConference>::value,
              "the export and its function type differ");
