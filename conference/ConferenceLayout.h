#pragma once
// Where the conference dialog's controls go for a client area `width` pixels wide. The
// layout is fixed from the top: only widths and the right-hand x positions follow the width.
#include <vector>

#include "framework/ControlPlacement.h"
#include "framework/Dpi.h"

// The id is a control of the template, or kTimeControlPlacement.
using ConferencePlacement = ControlPlacement;

// The time control is a child dialog of its own, not a control of the template.
inline constexpr int kTimeControlPlacement = 0;

// In placing order. Narrow areas give negative widths, passed on unchanged. Every pixel
// number is for 96 DPI and scaled to `dpi`.
[[nodiscard]] std::vector<ConferencePlacement> ComputeConferenceLayout(int width, int dpi = kDefaultDpi);

// The client height that holds the layout with a margin below its buttons, at `dpi`.
[[nodiscard]] int ConferenceLayoutHeight(int dpi);
