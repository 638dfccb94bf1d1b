#pragma once
// Reading and clicking list views and tree views the way a user would.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace e2e {

// List views
int ListRowCount(HWND list);
std::string ListCellText(HWND list, int row, int column);
int ListCellImage(HWND list, int row, int column);
// Every row's text in `column`, top to bottom.
std::vector<std::string> ListColumn(HWND list, int column);
// Selects exactly these rows.
void SelectListRows(HWND list, const std::vector<int>& rows);
// The selected rows, top to bottom.
std::vector<int> SelectedListRows(HWND list);
// A real click: button down and up posted at a point of the list's client area.
void ClickListAt(HWND list, int x, int y);
// The centre of a cell (its sub-item rectangle), in list client coordinates, after
// scrolling its row into view as a user would.
POINT ListCellCentre(HWND list, int row, int column);
// Posts a click on the header of `list` at x within column 0, moving the cursor there
// first, since the list reads the click position from the message's cursor position.
void ClickHeaderAt(HWND list, int x);

// Tree views
// The item whose texts from the root down are `path` ("甲公司", "研发部", ...), or null.
// Groups on the way are opened and closed again, so that their people exist.
HTREEITEM FindTreeItem(HWND tree, const std::vector<std::string>& path);
std::string TreeItemText(HWND tree, HTREEITEM item);
int TreeItemImage(HWND tree, HTREEITEM item);
bool IsTreeItemExpanded(HWND tree, HTREEITEM item);
void SelectTreeItem(HWND tree, HTREEITEM item);
// A real click (or double click) at the centre of the item's text.
void ClickTreeItem(HWND tree, HTREEITEM item, bool doubleClick = false);

// Tab controls: a real click on tab `index`.
void ClickTab(HWND tabs, int index);

// The common controls module whose code runs `control`. The end-to-end program imports
// nothing of the common controls itself: under Wine the first of them a process loads
// keeps its classes, so a host that loaded the plain ones before the library would give
// the library's dialogs those.
HMODULE ControlsModule(HWND control);
// The number of pictures in an image list of `control`, by its own module.
int ImageCount(HWND control, HIMAGELIST images);

}  // namespace e2e
