#include "picker/PickerLayout.h"

#include "res/resource.h"

PickerLayout ComputePickerLayout(const RECT& client, int dpi) {
    const auto s = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    const int l = client.left, t = client.top, r = client.right, b = client.bottom;
    const int w = (r - l - s(51)) / 2;
    PickerLayout layout;
    layout.tabs = RECT{l + s(10), t + s(5), l + s(10) + w, b - s(63)};
    const int listLeft = l + w + s(41);
    layout.placements = {
        {IDC_PICKER_TABS, l + s(10), t + s(5), w, b - t - s(68)},
        {IDC_PICKER_NAME_LABEL, l + s(10), b - s(53), s(30), s(20)},
        {IDC_PICKER_NAME, l + s(43), b - s(53), w - s(86), s(20)},
        {IDC_PICKER_NUMBER_LABEL, l + s(10), b - s(28), s(30), s(20)},
        {IDC_TYPED_NUMBER, l + s(43), b - s(28), w - s(86), s(20)},
        {IDC_ADD_TYPED, l + w - s(40), b - s(28), s(50), s(20)},
        // Measured from 0, not from the top: the client rectangle's top is 0.
        {IDC_MOVE, l + w + s(13), (b - t - s(68)) / 2 + s(5), s(25), s(20)},
        {IDC_CHOSEN_LIST, listLeft, t + s(5), r - s(10) - listLeft, b - t - s(38)},
        {IDC_REMOVE_CHOSEN, l + w + s(51), b - s(28), s(40), s(20)},
        {IDOK, r - s(60), b - s(28), s(40), s(20)},
    };
    return layout;
}
