#pragma once
// Non-owning wrapper over a tree-view control, through the ANSI messages.
#include <string>

#include "framework/Window.h"

class TreeView : public Window {
public:
    using Window::Window;

    // Inserts an item as the last child of `parent` (null: the top level), with the same
    // image and selected image, state-image index 1 and `data` as its item data.
    HTREEITEM InsertItem(HTREEITEM parent, const std::string& text, int image, LPARAM data,
                         HTREEITEM after = TVI_LAST) const {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent != nullptr ? parent : TVI_ROOT;
        insert.hInsertAfter = after;
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
    // Shows the item as one that can be opened, before it has children.
    void SetHasChildren(HTREEITEM item) const {
        TVITEMA data{};
        data.mask = TVIF_HANDLE | TVIF_CHILDREN;
        data.hItem = item;
        data.cChildren = 1;
        Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    }
    [[nodiscard]] HTREEITEM GetNextSibling(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    [[nodiscard]] HTREEITEM GetSelection() const { return GetNextItem(nullptr, TVGN_CARET); }
    bool SelectItem(HTREEITEM item) const {
        return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != FALSE;
    }

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
    HIMAGELIST SetImageList(HIMAGELIST images, int which) const {
        return reinterpret_cast<HIMAGELIST>(Send(TVM_SETIMAGELIST, static_cast<WPARAM>(which),
                                                 reinterpret_cast<LPARAM>(images)));
    }
};
