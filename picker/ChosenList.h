#pragma once
// The picker's chosen list: the people handed back to the conference dialog, one row
// each, added by moves, by the search and by hand, and taken off by the remove button.
// The twin of the conference dialog's member list.
#include <string>
#include <vector>

#include "directory/ContactEntry.h"
#include "framework/OwnerDataList.h"
#include "picker/ChosenIds.h"

class ChosenList {
public:
    ChosenList();
    ChosenList(const ChosenList&) = delete;
    ChosenList& operator=(const ChosenList&) = delete;

    // Changes made while one lives reach the list once, when the outermost ends.
    class Batch : public OwnerDataList<ContactEntry>::Batch {
    public:
        explicit Batch(ChosenList& chosen) : OwnerDataList<ContactEntry>::Batch(chosen.rows) {}
    };

    // The chosen people: filled by the caller before the run, read after it.
    [[nodiscard]] std::vector<ContactEntry>& Entries() { return rows.Rows(); }

    // Finds the list among the controls of `picker` and gives it its columns.
    // Column widths are scaled to the picker's `dpi`.
    void Attach(HWND picker, int dpi);
    // Shows the people chosen so far: the caller's and the user's own.
    void ShowEntries();
    void Detach() { rows.Detach(); }

    [[nodiscard]] bool IsChosenId(int id) const { return ids.Contains(id); }
    void Append(const ContactEntry& entry);
    // The very entry, unless a row holds one with its identifier, URI and name: for
    // people whose identifiers are no number, and so tell nobody apart.
    void AppendUnlessListed(const ContactEntry& entry);
    // A person typed by hand, unless refused: then the message to show.
    [[nodiscard]] const char* AddTyped(const std::string& name, const std::string& number);
    void RemoveSelected() { (void)rows.RemoveSelected(); }

    LRESULT OnDisplayInfo(NMLVDISPINFOA& request) const { return rows.OnDisplayInfo(request); }
    template <class Find>
    LRESULT OnFindRow(const Find& find) const {
        return rows.OnFindRow(find);
    }

private:
    OwnerDataList<ContactEntry> rows;
    ChosenIds ids;  // in step with the rows from Attach on
};
