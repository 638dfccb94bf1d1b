#include "framework/ActivationContext.h"

#include "framework/Module.h"

namespace {

constexpr WORD kLibraryManifest = 2;  // ISOLATIONAWARE_MANIFEST_RESOURCE_ID

// Made on first use and released when the library is unloaded; none when the module
// carries no manifest (a test program that links the dialogs' code).
class LibraryContext {
public:
    LibraryContext() {
        if (::FindResourceA(ModuleHandle(), MAKEINTRESOURCEA(kLibraryManifest), MAKEINTRESOURCEA(24)) == nullptr)
            return;
        ACTCTXA description{};
        description.cbSize = sizeof description;
        description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.hModule = ModuleHandle();
        description.lpResourceName = MAKEINTRESOURCEA(kLibraryManifest);
        handle_ = ::CreateActCtxA(&description);
    }
    ~LibraryContext() {
        if (handle_ != INVALID_HANDLE_VALUE) ::ReleaseActCtx(handle_);
    }
    LibraryContext(const LibraryContext&) = delete;
    LibraryContext& operator=(const LibraryContext&) = delete;

    [[nodiscard]] HANDLE Handle() const { return handle_; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

ActivationScope::ActivationScope() {
    static const LibraryContext context;
    if (context.Handle() != INVALID_HANDLE_VALUE) active_ = ::ActivateActCtx(context.Handle(), &cookie_) != FALSE;
}

ActivationScope::~ActivationScope() {
    if (active_) ::DeactivateActCtx(0, cookie_);
}
