// The library's one export.
#include <objbase.h>

#include <atomic>
#include <optional>

#include "Quorvel.h"
#include "conference/ConferenceDialog.h"
#include "directory/DirectoryReader.h"
#include "entry/ConferenceApp.h"
#include "entry/HostRecord.h"
#include "entry/ProcessObjects.h"
#include "skin/SkinImages.h"

namespace {
// One call at a time, across threads and within one.
std::atomic<bool> callRunning{false};

// COM for the duration of a call: a host thread without COM still gets its texts,
// directory and pictures. A thread already in the multithreaded apartment is used as it
// is (the initialisation then fails with RPC_E_CHANGED_MODE and is not balanced).
class ComForCall {
public:
    ComForCall() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForCall() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    ComForCall(const ComForCall&) = delete;
    ComForCall& operator=(const ComForCall&) = delete;

private:
    HRESULT result_;
};
}  // namespace

extern "C" ConferenceRecord* QUORVEL_CALL DLL_CreateConference(HWND notifyWindow, const ConferenceRecord* record,
                                                               const char* userId) {
    // A call while another runs (from the host's handler of the result message, or from
    // another thread) would share the dialog's state: it opens nothing and gets the
    // record as last published, which the running call leaves alone until it ends.
    if (callRunning.exchange(true)) return &GetPublishedRecord().view;
    try {
        ComForCall com;
        // The library's start-up, on the first call rather than at load: it creates COM
        // objects and may show a message box, which the loader lock does not allow.
        GetConferenceApp().Start();
        // The picker reuses what the dialog parsed; released before the call returns.
        const DirectoryReuse reuse(GetDirectoryReader());
        const CallContext context{GetSkinImages(), GetDirectoryReader()};

        // The host may pass the very record this library returned last time: copy it
        // before the take-over empties the library's own.
        std::optional<ConferenceSettings> given;
        if (record != nullptr) given = SettingsFromHost(*record);

        ConferenceDialog dialog(GetConferenceSettings(), given ? &*given : nullptr, context);
        dialog.SetUserId(userId != nullptr ? userId : "");
        dialog.SetNotifyWindow(notifyWindow);
        dialog.DoModal(Dialog::SafeOwner(nullptr));
    } catch (...) {
        // Nothing unwinds into the host; the record holds whatever was stored.
    }
    ConferenceRecord* result;
    try {
        result = PublishConferenceRecord();
    } catch (...) {
        // Out of memory while publishing: an empty record rather than the last call's,
        // which the host would take for this one's.
        static ConferenceRecord empty{"", "", "", "", "", "", "", nullptr, 0, "", "", 0};
        result = &empty;
    }
    callRunning = false;
    return result;
}
