/* A host as small as a host can be, in plain C, built against the kit alone: its header
 * and one of its import libraries. It calls the export once, cancels the dialog and
 * prints what it saw. Exit code 0 when the export returned the library's record, every
 * text of it non-null, the notify window got the cancel message, and the loaded DLL's
 * version resource states the header's version. */
#include <windows.h>
#include <objbase.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "Quorvel.h"

static int cancels;

static LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CONFERENCE_RESULT && wParam == QUORVEL_RESULT_CANCELLED) ++cancels;
    return DefWindowProcA(window, message, wParam, lParam);
}

static BOOL CALLBACK CancelDialog(HWND window, LPARAM unused) {
    char name[16] = "";
    (void)unused;
    GetClassNameA(window, name, sizeof name);
    if (strcmp(name, "#32770") == 0 && IsWindowVisible(window)) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

/* Fires inside the dialog's modal loop. */
static void CALLBACK Tick(HWND window, UINT message, UINT_PTR id, DWORD time) {
    (void)window, (void)message, (void)id, (void)time;
    EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
}

/* Prints the version the loaded library's version resource states and the header's;
 * true when they are the same. */
static int PrintLibraryVersion(void) {
    char path[MAX_PATH] = "";
    DWORD ignored = 0, size;
    void* data;
    VS_FIXEDFILEINFO* info = NULL;
    UINT length = 0;
    int same = 0;
    const char* copyright = NULL;
    GetModuleFileNameA(GetModuleHandleA("Quorvel.dll"), path, sizeof path);
    size = GetFileVersionInfoSizeA(path, &ignored);
    data = size ? malloc(size) : NULL;
    if (data && GetFileVersionInfoA(path, 0, size, data) &&
        VerQueryValueA(data, "\\", (void**)&info, &length) && length >= sizeof *info) {
        printf("version %u.%u.%u, header %s\n", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
               HIWORD(info->dwFileVersionLS), QUORVEL_VERSION_TEXT);
        same = info->dwFileVersionMS == (DWORD)MAKELONG(QUORVEL_VERSION_MINOR, QUORVEL_VERSION_MAJOR) &&
               HIWORD(info->dwFileVersionLS) == QUORVEL_VERSION_PATCH;
    } else {
        printf("version none\n");
    }
    if (data && VerQueryValueA(data, "\\StringFileInfo\\040904b0\\LegalCopyright", (void**)&copyright, &length))
        printf("copyright %s\n", copyright);
    free(data);
    return same;
}

int main(void) {
    WNDCLASSA windowClass;
    HWND notify;
    UINT_PTR timer;
    ConferenceRecord* record;
    int complete, sameVersion;

    CoInitialize(NULL);
    memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = NotifyProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "QuorvelKitHost";
    RegisterClassA(&windowClass);
    notify = CreateWindowA("QuorvelKitHost", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, windowClass.hInstance, NULL);

    timer = SetTimer(NULL, 0, 200, Tick);
    record = DLL_CreateConference(notify, NULL, "1001");
    KillTimer(NULL, timer);

    sameVersion = PrintLibraryVersion();
    complete = record != NULL && record->name && record->description && record->confId && record->userId &&
               record->chairman && record->startText && record->memberCount && record->spare1 && record->spare2 &&
               (record->memberIdCount == 0 || record->memberIds != NULL);
    printf("record %s, cancel messages %d\n", complete ? "complete" : "missing", cancels);
    CoUninitialize();
    return complete && cancels >= 1 && sameVersion ? 0 : 1;
}
