#include "entry/ConferenceApp.h"

#include "directory/HostDirectory.h"
#include "framework/Dialog.h"
#include "framework/Module.h"
#include "skin/SkinImages.h"
#include "text/MessageIds.h"
#include "text/MessageTable.h"

bool ConferenceApp::InitInstance() {
    const std::string hostDirectory = HostDirectory();
    LoadSkinImagesFrom(GetSkinImages(), hostDirectory, "system");
    // Without a host folder there is no language file to read, rather than one elsewhere.
    if (hostDirectory.empty() || !LoadMessages(hostDirectory + "\\lang")) {
        // The host's own active window owns the box; the start-up goes on either way.
        ShowMessageBox(Dialog::SafeOwner(nullptr), GetMessageText(messages::kLanguageFileFailed).c_str(),
                       Name().c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    return Application::InitInstance();
}

std::string ConferenceApp::HostDirectory() const { return GetHostDirectory(); }

bool ConferenceApp::LoadMessages(const std::string& directory) {
    return MessageTable::Instance().Load(directory, "chinese");
}
