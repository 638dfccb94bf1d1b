// The framework's dispatch: typed notification handlers and the current message.
#include <gtest/gtest.h>

#include <stdexcept>

#include "support/TestWindows.h"
#include "framework/Dialog.h"
#include "res/resource.h"

namespace {

constexpr UINT kOuter = WM_APP + 1;
constexpr UINT kThrowing = WM_APP + 2;
constexpr UINT kSpinId = IDC_TIME_SPIN;

class ProbeDialog : public Dialog {
public:
    ProbeDialog() : Dialog(IDD_TIME_CONTROL) {}

    UINT seenAfterThrow = 0;
    int seenDelta = 0;

protected:
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        return messageMap.Dispatch(*this, message, wParam, lParam, result);
    }

private:
    // Sends a message whose handler throws, then looks at the message it is handling.
    void OnOuter() {
        AsWindow().Send(kThrowing);
        seenAfterThrow = CurrentMessage().message;
    }
    void OnThrowing() { throw std::runtime_error("handler failed"); }
    LRESULT OnSpin(const NMUPDOWN& change) {
        seenDelta = change.iDelta;
        return 7;
    }

    static const MessageMap<ProbeDialog> messageMap;
};

const MessageMap<ProbeDialog> ProbeDialog::messageMap = {
    OnMessage(kOuter, &ProbeDialog::OnOuter),
    OnMessage(kThrowing, &ProbeDialog::OnThrowing),
    OnNotify(kSpinId, UDN_DELTAPOS, &ProbeDialog::OnSpin),
};

}  // namespace

TEST(DialogDispatch, AHandlerThatThrowsLeavesTheOuterMessageCurrent) {
    const HWND parent = testwindows::CreateParent();
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.CreateChild(parent));
    dialog.AsWindow().Send(kOuter);
    EXPECT_EQ(dialog.seenAfterThrow, kOuter);
    ::DestroyWindow(parent);
}

TEST(DialogDispatch, ANotificationHandlerGetsItsStructureAndGivesTheResult) {
    const HWND parent = testwindows::CreateParent();
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.CreateChild(parent));
    NMUPDOWN change{};
    change.hdr.hwndFrom = dialog.Item(kSpinId).Handle();
    change.hdr.idFrom = kSpinId;
    change.hdr.code = UDN_DELTAPOS;
    change.iDelta = -3;
    EXPECT_EQ(dialog.AsWindow().Send(WM_NOTIFY, kSpinId, reinterpret_cast<LPARAM>(&change)), 7);
    EXPECT_EQ(dialog.seenDelta, -3);

    // Another code from the same control is not the handler's.
    change.hdr.code = NM_CLICK;
    change.iDelta = 5;
    EXPECT_EQ(dialog.AsWindow().Send(WM_NOTIFY, kSpinId, reinterpret_cast<LPARAM>(&change)), 0);
    EXPECT_EQ(dialog.seenDelta, -3);
    ::DestroyWindow(parent);
}
