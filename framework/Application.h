#pragma once
// The application object's base: one start-up hook, run once. A library's hook must
// not run from its entry point (inside the loader lock it may create COM objects or
// show windows), so the library calls Start when it is first used.
#include <atomic>
#include <string>

class Application {
public:
    Application() = default;
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs InitInstance on the first call only, whichever thread makes it.
    void Start();
    [[nodiscard]] bool Started() const { return started_.load(); }

protected:
    // The start-up hook; true means go on.
    virtual bool InitInstance() { return true; }
    // The caption of the application's message boxes: the module's file name without
    // its extension, as no application name is given.
    [[nodiscard]] static std::string Name();

private:
    std::atomic<bool> started_{false};
};
