#pragma once
// A list view of LVS_OWNERDATA over rows its owner keeps: the list holds only their
// number and asks for what it draws, so thousands of rows cost no more than their data.
// Rows and list rows go by index; every change to the rows reaches the list through
// this class, which keeps the two in step and the user's place in the list.
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/Dpi.h"
#include "framework/ListView.h"

// One column: how it is headed and what a row shows in it.
template <class Row>
struct OwnerDataColumn {
    int format;
    // Negative: what the list's client area leaves after that many pixels.
    int width;
    std::function<std::string_view(const Row&)> text;
    // The cell's picture, given the row and its index; empty: no picture.
    std::function<int(const Row&, int)> image;
    // The row's state picture (1-based in the state list, 0 none), for the first column
    // only: a list with LVS_EX_CHECKBOXES reports the row's check from it.
    std::function<int(const Row&)> stateImage;
};

// Erases the items at `indices` (ascending; those past the end are ignored) in one
// pass, the others keeping their order; `gone` sees each erased item before it goes.
template <class Row, class Gone>
void EraseAt(std::vector<Row>& rows, const std::vector<int>& indices, Gone gone) {
    size_t kept = 0;
    auto index = indices.begin();
    for (size_t i = 0; i < rows.size(); ++i) {
        while (index != indices.end() && *index < static_cast<int>(i)) ++index;
        if (index != indices.end() && *index == static_cast<int>(i)) {
            gone(rows[i]);
            continue;
        }
        if (kept != i) rows[kept] = std::move(rows[i]);
        ++kept;
    }
    rows.resize(kept);
}

// The row whose first column begins with `sought` (or is it, without `partial`),
// ignoring the case of single-byte letters: from `start` on, and from the top again
// when `wrap`; -1 when none does.
int FindRowByPrefix(const std::function<std::string_view(int)>& textOf, int rows, const std::string& sought,
                    bool partial, int start, bool wrap);

// What a find notification or LVM_FINDITEM asks, the wide form in the process code page.
struct RowSearch {
    bool answerable = false;  // a search by text, which is the only kind these lists answer
    std::string sought;
    bool partial = false;
    bool wrap = false;
    int start = 0;
};
[[nodiscard]] RowSearch ReadRowSearch(const NMLVFINDITEMA& find);
[[nodiscard]] RowSearch ReadRowSearch(const NMLVFINDITEMW& find);

template <class Row>
class OwnerDataList {
public:
    // `forget` sees every row that leaves: removed by the user, or refused by the list.
    explicit OwnerDataList(std::vector<OwnerDataColumn<Row>> columns, std::function<void(const Row&)> forget = {})
        : columns_(std::move(columns)), forget_(std::move(forget)) {}
    OwnerDataList(const OwnerDataList&) = delete;
    OwnerDataList& operator=(const OwnerDataList&) = delete;

    void Attach(const ListView& list) { list_ = list; }
    void Detach() { list_ = ListView(); }
    [[nodiscard]] const ListView& View() const { return list_; }

    // Rows changed here reach the list at ShowRows, or at the end of a Batch.
    [[nodiscard]] std::vector<Row>& Rows() { return rows_; }
    [[nodiscard]] const std::vector<Row>& Rows() const { return rows_; }

    // Inserts the columns of the table with these headings, in order, their widths
    // (given for 96 DPI) scaled to `dpi`.
    void InsertColumns(const std::vector<std::string>& headings, int dpi = kDefaultDpi) const {
        const int client = list_.ClientRect().right;
        for (size_t i = 0; i < columns_.size(); ++i) {
            const OwnerDataColumn<Row>& column = columns_[i];
            const int width = ScaleForDpi(column.width, dpi);
            list_.InsertColumn(static_cast<int>(i), i < headings.size() ? headings[i] : std::string(), column.format,
                               width >= 0 ? width : client + width);
        }
    }

    // Gives the list the number of rows, without scrolling away from where the user is.
    // Rows it cannot take are no rows: they are dropped from the end, back to those it shows.
    void ShowRows() {
        if (!list_.Exists()) return;
        if (list_.SetRowCount(static_cast<int>(rows_.size()))) {
            shown_ = rows_.size();
            return;
        }
        while (rows_.size() > shown_) {
            if (forget_) forget_(rows_.back());
            rows_.pop_back();
        }
        (void)list_.SetRowCount(static_cast<int>(shown_));
    }

    // Rows added while one lives reach the list once, when the outermost ends, even when
    // an exception leaves midway.
    class Batch {
    public:
        explicit Batch(OwnerDataList& list) : list_(list) { ++list_.batchDepth_; }
        ~Batch() {
            if (--list_.batchDepth_ == 0) list_.ShowRows();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        OwnerDataList& list_;
    };

    // Removes the selected rows and gives back their former indices, ascending. The
    // focus goes to the row that took the first removed row's place (the last row when
    // none did), as in the system's own lists; nothing stays selected, since the marks
    // would stay with the indices, not with the rows.
    std::vector<int> RemoveSelected() {
        const std::vector<int> selected = list_.SelectedRows();
        if (selected.empty()) return selected;
        EraseAt(rows_, selected, [this](const Row& row) {
            if (forget_) forget_(row);
        });
        // Redrawn once: unselecting row by row while drawn is slow.
        const RedrawSuspension batch(list_);
        list_.ClearSelection();
        ShowRows();
        const int count = static_cast<int>(rows_.size());
        if (count > 0) list_.SetFocusRow(selected.front() < count ? selected.front() : count - 1);
        return selected;
    }

    LRESULT OnDisplayInfo(NMLVDISPINFOA& request) const {
        LVITEMA& cell = request.item;
        if (cell.iItem < 0 || static_cast<size_t>(cell.iItem) >= rows_.size()) return 0;
        if (cell.iSubItem < 0 || static_cast<size_t>(cell.iSubItem) >= columns_.size()) return 0;
        const Row& row = rows_[static_cast<size_t>(cell.iItem)];
        const OwnerDataColumn<Row>& column = columns_[static_cast<size_t>(cell.iSubItem)];
        AnswerCell(cell, column.text(row), column.image ? column.image(row, cell.iItem) : I_IMAGENONE,
                   column.stateImage ? column.stateImage(row) : 0);
        return 0;
    }

    // Typing in the list (the list asks in the wide form in Wine, in the narrow one
    // elsewhere) and a host's LVM_FINDITEM: a row by its first column, or -1, which
    // leaves the selection as it is.
    LRESULT OnFindRow(const NMLVFINDITEMA& find) const { return Find(ReadRowSearch(find)); }
    LRESULT OnFindRow(const NMLVFINDITEMW& find) const { return Find(ReadRowSearch(find)); }

private:
    [[nodiscard]] int Find(const RowSearch& search) const {
        if (!search.answerable || columns_.empty()) return -1;
        const auto textOf = [this](int row) -> std::string_view {
            return columns_.front().text(rows_[static_cast<size_t>(row)]);
        };
        return FindRowByPrefix(textOf, static_cast<int>(rows_.size()), search.sought, search.partial, search.start,
                               search.wrap);
    }

    std::vector<OwnerDataColumn<Row>> columns_;
    std::function<void(const Row&)> forget_;
    std::vector<Row> rows_;
    ListView list_;
    size_t shown_ = 0;
    int batchDepth_ = 0;
};
