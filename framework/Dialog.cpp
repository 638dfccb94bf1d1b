#include "framework/Dialog.h"

#include "framework/ActivationContext.h"
#include "framework/DataExchange.h"
#include "framework/Module.h"
#include "framework/ScopeGuard.h"

Dialog::Dialog(int templateId) : templateId_(templateId) {}

Dialog::~Dialog() {
    if (handle_ != nullptr && ::IsWindow(handle_)) {
        ::SetWindowLongPtrA(handle_, DWLP_USER, 0);
        ::DestroyWindow(handle_);
    }
}

HWND Dialog::SafeOwner(HWND owner) {
    if (owner != nullptr) return owner;
    HWND active = ::GetActiveWindow();
    return active != nullptr ? ::GetAncestor(active, GA_ROOT) : nullptr;
}

namespace {
// Templates hold list views, trees, tabs, date pickers and spin buttons: register their
// classes in the host's process, whatever the host did, as the class library does. The
// registration is asked of the common controls of the active context (version 6 in the
// library's own), which need not be the ones the library was bound to at load.
void RegisterCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_DATE_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    HMODULE active = ::GetModuleHandleA("comctl32.dll");
    if (active == nullptr) active = ::LoadLibraryA("comctl32.dll");
    const auto init = active != nullptr ? reinterpret_cast<InitFunction>(reinterpret_cast<void*>(
                                              ::GetProcAddress(active, "InitCommonControlsEx")))
                                        : nullptr;
    // Loaded for good: the classes it registers live as long as the process.
    if (init != nullptr)
        init(&controls);
    else
        ::InitCommonControlsEx(&controls);
}

// The message as handlers see it, with where the cursor was and when, as the system
// recorded them for the message being processed.
MSG CurrentMessageOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const DWORD position = ::GetMessagePos();
    return MSG{window, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()),
               POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))}};
}
}  // namespace

INT_PTR Dialog::DoModal(HWND owner) {
    const ActivationScope controls6;
    RegisterCommonControls();
    modal_ = true;
    return ::DialogBoxParamA(ModuleHandle(), MAKEINTRESOURCEA(templateId_), owner, &Dialog::DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateChild(HWND parent) {
    const ActivationScope controls6;
    RegisterCommonControls();
    modal_ = false;
    return ::CreateDialogParamA(ModuleHandle(), MAKEINTRESOURCEA(templateId_), parent, &Dialog::DialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool Dialog::UpdateData(bool saving) {
    if (handle_ == nullptr) return false;
    DataExchange exchange(handle_, saving);
    DoDataExchange(exchange);
    if (!exchange.Failed()) return true;
    OnValueNotInteger();
    ::SetFocus(exchange.FailedControl());
    ::SendMessageA(exchange.FailedControl(), EM_SETSEL, 0, -1);
    return false;
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::DestroyWindow() {
    if (handle_ != nullptr) ::DestroyWindow(handle_);
}

void Dialog::EndDialog(INT_PTR code) {
    if (modal_)
        ::EndDialog(handle_, code);
    else
        DestroyWindow();
}

LRESULT Dialog::Default() {
    const MSG message = current_;
    bypass_ = message;
    bypassActive_ = true;
    const ScopeGuard endBypass([this] { bypassActive_ = false; });
    return ::DefDlgProcA(message.hwnd, message.message, message.wParam, message.lParam);
}

int Dialog::TakeDpiChange() {
    const RECT& suggested = *reinterpret_cast<const RECT*>(current_.lParam);
    ::SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return LOWORD(current_.wParam);
}

int Dialog::ShowMessage(const char* text, const char* caption, UINT flags) const {
    return ShowMessageBox(handle_, text, caption, flags);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->handle_ = window;
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    }
    if (self == nullptr) return FALSE;
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the dialog manager.
        return FALSE;
    }
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (bypassActive_ && bypass_.message == message && bypass_.wParam == wParam && bypass_.lParam == lParam) {
        bypassActive_ = false;
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(handle_, DWLP_USER, 0);
        handle_ = nullptr;
        return FALSE;
    }

    const MSG outer = current_;
    current_ = CurrentMessageOf(handle_, message, wParam, lParam);
    LRESULT result = 0;
    bool handled = false;
    {
        const ScopeGuard restore([this, &outer] { current_ = outer; });
        handled = DispatchMessageMap(message, wParam, lParam, result);
        if (!handled) handled = HandleBuiltIn(message, wParam, result);
    }
    if (!handled) return FALSE;

    switch (message) {
    // Messages whose result the dialog procedure returns directly.
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(result);
    default:
        if (handle_ != nullptr) ::SetWindowLongPtrA(handle_, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

bool Dialog::HandleBuiltIn(UINT message, WPARAM wParam, LRESULT& result) {
    switch (message) {
    case WM_INITDIALOG:
        result = OnInitDialog();
        return true;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return false;
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return true;
        }
        return false;
    default:
        return false;
    }
}
