#pragma once
// Where the picker's controls go for a client rectangle: the left half holds the tabs
// with their trees and the typed person's edits, the right half the chosen list.
#include <windows.h>

#include <vector>

#include "framework/ControlPlacement.h"
#include "framework/Dpi.h"
#include "res/resource.h"

struct PickerLayout {
    using Placement = ControlPlacement;
    // The tab control's window rectangle: the trees take its display area, which only
    // the tab control itself can compute.
    RECT tabs{};
    std::vector<Placement> placements;  // in placing order, the tabs first
};

// Tab's order: the typing row first, where the search starts, then the left half top
// down, then the right. The trees must lie above the tab control in z-order, so the
// template's order cannot give it.
inline constexpr int kPickerTabOrder[] = {IDC_PICKER_NAME, IDC_TYPED_NUMBER, IDC_ADD_TYPED,   IDC_PICKER_TABS,
                                          IDC_FRIENDS_TREE, IDC_COMPANY_TREE, IDC_MOVE,        IDC_CHOSEN_LIST,
                                          IDC_REMOVE_CHOSEN, IDOK};

// Every pixel number is for 96 DPI and scaled to `dpi`.
[[nodiscard]] PickerLayout ComputePickerLayout(const RECT& client, int dpi = kDefaultDpi);
