#pragma once
// Where one control of a dialog goes: the dialogs' layouts are lists of these, computed
// from the client area alone, so that they can be checked without a window.
struct ControlPlacement {
    int id;
    int x, y, width, height;
};
