#pragma once
// The library's activation context, made once from the manifest in its own resources
// (resource 2), so that its dialogs and controls are those of common controls 6 whatever
// the host's manifest says. Windows and classes are bound to the context that is active
// when they are created: dialogs activate it around their creation and modal loop.
#include <windows.h>

class ActivationScope {
public:
    // Activates the library's context on this thread; without one, does nothing.
    ActivationScope();
    ~ActivationScope();
    ActivationScope(const ActivationScope&) = delete;
    ActivationScope& operator=(const ActivationScope&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};
