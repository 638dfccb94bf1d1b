#pragma once
// Non-owning wrapper over a tree-view control, through the ANSI messages.
#include <cstring>
#include <string>
#include <vector>

#include "framework/Window.h"

class TreeView : public Window {
public:
    using Window::Window;

    // Inserts an item as the last child of `parent` (null: the top level), with the same
    // image and selected image, state-image index 1 and `data` as its item data.
    HTREEITEM InsertItem(HTREEITEM parent, const std::string& text, int image, LPARAM data) const {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent != nullptr ? parent : TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(text.c_str());
        insert.item.iImage = image;
        insert.item.iSelectedImage = image;
        insert.item.state = INDEXTOSTATEIMAGEMASK(1);
        insert.item.stateMask = TVIS_STATEIMAGEMASK;
        insert.item.lParam = data;
        return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }

    [[nodiscard]] HTREEITEM GetNextItem(HTREEITEM item, UINT relation) const {
        return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    [[nodiscard]] HTREEITEM GetRoot() const { return GetNextItem(nullptr, TVGN_ROOT); }
    [[nodiscard]] HTREEITEM GetChild(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    [[nodiscard]] HTREEITEM GetNextSibling(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    [[nodiscard]] HTREEITEM GetSelection() const { return GetNextItem(nullptr, TVGN_CARET); }
    bool SelectItem(HTREEITEM item) const {
        return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != FALSE;
    }
    [[nodiscard]] int GetCount() const { return static_cast<int>(Send(TVM_GETCOUNT)); }

    // Item data and image of an item; false when the item is not there.
    bool GetItem(HTREEITEM item, LPARAM* data, int* image) const {
        TVITEMA tv{};
        tv.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_IMAGE;
        tv.hItem = item;
        if (Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) == FALSE) return false;
        if (data != nullptr) *data = tv.lParam;
        if (image != nullptr) *image = tv.iImage;
        return true;
    }
    [[nodiscard]] LPARAM GetItemData(HTREEITEM item) const {
        LPARAM data = 0;
        GetItem(item, &data, nullptr);
        return data;
    }
    [[nodiscard]] int GetImage(HTREEITEM item) const {
        int image = -1;
        GetItem(item, nullptr, &image);
        return image;
    }
    void SetImage(HTREEITEM item, int image, int selectedImage) const {
        TVITEMA tv{};
        tv.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        tv.hItem = item;
        tv.iImage = image;
        tv.iSelectedImage = selectedImage;
        Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    }
    [[nodiscard]] std::string GetItemText(HTREEITEM item) const {
        std::vector<char> buffer(1024);
        TVITEMA tv{};
        tv.mask = TVIF_HANDLE | TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = buffer.data();
        tv.cchTextMax = static_cast<int>(buffer.size());
        if (Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) == FALSE) return {};
        return tv.pszText;
    }
    [[nodiscard]] bool IsExpanded(HTREEITEM item) const {
        return (Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }

    void Expand(HTREEITEM item, UINT action) const {
        Send(TVM_EXPAND, action, reinterpret_cast<LPARAM>(item));
    }
    // The item at a point in client coordinates, with the hit flags.
    HTREEITEM HitTest(POINT point, UINT* flags) const {
        TVHITTESTINFO info{};
        info.pt = point;
        const auto item = reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
        if (flags != nullptr) *flags = info.flags;
        return item;
    }
    // The item's rectangle in client coordinates (the text's alone when `textOnly`).
    bool GetItemRect(HTREEITEM item, bool textOnly, RECT* rect) const {
        // The message takes the item in the rectangle's first bytes.
        std::memcpy(rect, &item, sizeof item);
        return Send(TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(rect)) != FALSE;
    }
    HIMAGELIST SetImageList(HIMAGELIST images, int which) const {
        return reinterpret_cast<HIMAGELIST>(Send(TVM_SETIMAGELIST, static_cast<WPARAM>(which),
                                                 reinterpret_cast<LPARAM>(images)));
    }
    [[nodiscard]] HIMAGELIST GetImageList(int which) const {
        return reinterpret_cast<HIMAGELIST>(Send(TVM_GETIMAGELIST, static_cast<WPARAM>(which)));
    }
};
