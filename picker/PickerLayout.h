#pragma once
// Where the picker's controls go for a client rectangle: the left half holds the tabs
// with their trees and the typed person's edits, the right half the chosen list.
#include <windows.h>

#include <vector>

#include "framework/ControlPlacement.h"
#include "framework/Dpi.h"

struct PickerLayout {
    using Placement = ControlPlacement;
    // The tab control's window rectangle: the trees take its display area, which only
    // the tab control itself can compute.
    RECT tabs{};
    std::vector<Placement> placements;  // in placing order, the tabs first
};

// Every pixel number is for 96 DPI and scaled to `dpi`.
[[nodiscard]] PickerLayout ComputePickerLayout(const RECT& client, int dpi = kDefaultDpi);
