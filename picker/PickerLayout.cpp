#include "picker/PickerLayout.h"

#include "res/resource.h"

PickerLayout ComputePickerLayout(const RECT& client) {
    const int l = client.left, t = client.top, r = client.right, b = client.bottom;
    const int w = (r - l - 51) / 2;
    PickerLayout layout;
    layout.tabs = RECT{l + 10, t + 5, l + 10 + w, b - 63};
    const int listLeft = l + w + 41;
    layout.placements = {
        {IDC_PICKER_TABS, l + 10, t + 5, w, b - t - 68},
        {IDC_PICKER_NAME_LABEL, l + 10, b - 53, 30, 20},
        {IDC_PICKER_NAME, l + 43, b - 53, w - 86, 20},
        {IDC_PICKER_NUMBER_LABEL, l + 10, b - 28, 30, 20},
        {IDC_TYPED_NUMBER, l + 43, b - 28, w - 86, 20},
        {IDC_ADD_TYPED, l + w - 40, b - 28, 50, 20},
        // Measured from 0, not from the top: the client rectangle's top is 0.
        {IDC_MOVE, l + w + 13, (b - t - 68) / 2 + 5, 25, 20},
        {IDC_CHOSEN_LIST, listLeft, t + 5, r - 10 - listLeft, b - t - 38},
        {IDC_REMOVE_CHOSEN, l + w + 51, b - 28, 40, 20},
        {IDOK, r - 60, b - 28, 40, 20},
    };
    return layout;
}
