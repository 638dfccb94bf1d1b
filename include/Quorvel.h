/* Quorvel.dll: the conference set-up dialog, for hosts in C and C++.
 * All texts are zero-terminated code page 936 (GBK). */
#ifndef QUORVEL_H
#define QUORVEL_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Sent (never posted) to the host's notify window.
 * wParam 1: confirmed, lParam = request text, valid only while the message is handled;
 * wParam 2: cancelled, lParam = 0 (closing from the title bar sends it twice). */
#define WM_CONFERENCE_RESULT (WM_USER + 0x200)

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
ConferenceRecord *DLL_CreateConference(HWND notifyWindow, const ConferenceRecord *record, const char *userId);

#ifdef __cplusplus
}
#endif

#endif
