/* Quorvel.dll: the conference set-up dialog, for hosts in C and C++.
 * All texts are zero-terminated code page 936 (GBK). */
#ifndef QUORVEL_H
#define QUORVEL_H

/* The version of the library this header describes; Quorvel.dll's version resource
 * states the same numbers. */
#define QUORVEL_VERSION_MAJOR 1
#define QUORVEL_VERSION_MINOR 0
#define QUORVEL_VERSION_PATCH 0
#define QUORVEL_VERSION_TEXT "1.0.0"
/* One number to compare with: 0x010000 for 1.0.0. */
#define QUORVEL_VERSION ((QUORVEL_VERSION_MAJOR << 16) | (QUORVEL_VERSION_MINOR << 8) | QUORVEL_VERSION_PATCH)

#ifndef RC_INVOKED

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The export's calling convention, spelled out so that a host compiled with another
 * default (/Gz, /Gr) still calls it the C way. */
#define QUORVEL_CALL __cdecl

/* Sent (never posted) to the host's notify window.
 * wParam QUORVEL_RESULT_CONFIRMED: lParam = request text, valid only while the message
 * is handled; wParam QUORVEL_RESULT_CANCELLED: lParam = 0 (closing from the title bar
 * sends it twice). */
#define WM_CONFERENCE_RESULT (WM_USER + 0x200)
#define QUORVEL_RESULT_CONFIRMED 1
#define QUORVEL_RESULT_CANCELLED 2

/* A conference's settings. In a record the host passes in, a null text means the
 * empty text, and a text longer than 4096 bytes is cut to its first 4096 bytes at a
 * character boundary (the dialog then refuses it as too long). The record the library returns is its own, with every text non-null;
 * it stays valid until the next call or unload; the host never frees it. */
typedef struct ConferenceRecord {
    const char *name, *description, *confId, *userId, *chairman, *startText, *memberCount;
    /* memberIdCount texts: the user part of each invited member's URI. A record passed
     * in finds each id in the company directory, as a person's identifier or else as
     * the user part of a person's URI, at any depth; the first such person is one row.
     * People typed by hand are kept as an empty id, which finds nobody: a conference
     * reopened from its record lists only its directory people. */
    const char *const *memberIds;
    int memberIdCount;
    const char *spare1, *spare2;
    int noticeMinutes;
} ConferenceRecord;

/* Shows the modal conference dialog; `record` may be null (a new conference from
 * nothing); a record with a non-empty confId edits that conference.
 * One call at a time: a call made while another runs (from the handler of
 * WM_CONFERENCE_RESULT, or from another thread) opens no dialog, leaves the record as
 * it is and returns its address at once: the record as the last call that ended left
 * it, intact, since the running call changes it only when it ends. The library initialises COM (apartment-
 * threaded) for the duration of a call on a thread that has none, and balances it; a
 * thread in the multithreaded apartment is used as it is. */
ConferenceRecord *QUORVEL_CALL DLL_CreateConference(HWND notifyWindow, const ConferenceRecord *record,
                                                    const char *userId);

/* The export's type, for a host that loads the library itself:
 *   PFN_DLL_CreateConference create =
 *       (PFN_DLL_CreateConference)GetProcAddress(library, "DLL_CreateConference"); */
typedef ConferenceRecord *(QUORVEL_CALL *PFN_DLL_CreateConference)(HWND notifyWindow, const ConferenceRecord *record,
                                                                   const char *userId);

#ifdef __cplusplus
}
#endif

#endif /* RC_INVOKED */

#endif
