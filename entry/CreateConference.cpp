// The library's one export.
#include <optional>

#include "Quorvel.h"
#include "conference/ConferenceDialog.h"
#include "entry/ConferenceApp.h"
#include "entry/HostRecord.h"

extern "C" ConferenceRecord* DLL_CreateConference(HWND notifyWindow, const ConferenceRecord* record,
                                                  const char* userId) {
    try {
        // The library's start-up, on the first call rather than at load: it creates COM
        // objects and may show a message box, which the loader lock does not allow.
        GetConferenceApp().Start();

        // The host may pass the very record this library returned last time: copy it
        // before the take-over empties the library's own.
        std::optional<ConferenceSettings> given;
        if (record != nullptr) given = SettingsFromHost(*record);

        ConferenceDialog dialog(GetConferenceSettings(), given ? &*given : nullptr);
        dialog.SetUserId(userId != nullptr ? userId : "");
        dialog.SetNotifyWindow(notifyWindow);
        dialog.DoModal(Dialog::SafeOwner(nullptr));
    } catch (...) {
        // Nothing unwinds into the host; the record holds whatever was stored.
    }
    return PublishConferenceRecord();
}
