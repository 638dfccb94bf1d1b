#pragma once
// The library's application object. Its start-up loads the skin pictures and the
// language file from beside the host's executable, so that the dialogs find them.
#include <string>

#include "framework/Application.h"

class ConferenceApp : public Application {
public:
    ConferenceApp() = default;

protected:
    bool InitInstance() override;
    // Where the host keeps its files; tests put another folder in its place.
    [[nodiscard]] virtual std::string HostDirectory() const;
    // Loads the message table from `directory`; false when reading a file failed part way.
    virtual bool LoadMessages(const std::string& directory);
};

ConferenceApp& GetConferenceApp();
