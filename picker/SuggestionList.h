#pragma once
// The people that drop below the picker's name and number edits as the user types: a
// popup list box owned by the picker that never takes the focus. The edit keeps the
// caret; while the list is open, the edit's Down, Up, Enter and Esc drive it.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "directory/Company.h"
#include "directory/ContactEntry.h"
#include "directory/ContactGroup.h"
#include "framework/SubclassedWindow.h"
#include "picker/SearchIndex.h"

class SuggestionList {
public:
    // Puts a picked person on the chosen list, as a move from that person's directory would.
    using Pick = std::function<void(const ContactEntry& entry, bool friends)>;

    // Rows of people; a last row with the count follows when more match.
    static constexpr size_t kRows = 12;

    SuggestionList();
    ~SuggestionList();
    SuggestionList(const SuggestionList&) = delete;
    SuggestionList& operator=(const SuggestionList&) = delete;

    // Indexes both directories (the records must outlive Detach) and watches the edits.
    void Attach(HWND picker, const std::vector<HWND>& edits, const std::vector<Company>& companies,
                const std::vector<ContactGroup>& friends, Pick pick);
    // Closes the list, lets go of the edits and forgets the records.
    void Detach();
    // The text of `edit` has changed: shows what it finds while the edit has the focus.
    void OnTextChanged(HWND edit);
    void Close();

private:
    // A window whose messages the list watches.
    class Watched : public SubclassedWindow {
    public:
        explicit Watched(SuggestionList& owner) : owner_(owner) {}

    protected:
        SuggestionList& owner_;
    };

    class EditKeys : public Watched {
    public:
        using Watched::Watched;

    protected:
        bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    private:
        bool swallowChar_ = false;  // the character of a key the list took
    };

    class ListWindow : public Watched {
    public:
        using Watched::Watched;

    protected:
        bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    };

    [[nodiscard]] bool IsOpenFor(HWND edit) const { return openFor_ != nullptr && openFor_ == edit; }
    // Down, Up, Enter or Esc while the list is open; false for any other key.
    bool OnListKey(WPARAM key);
    void Highlight(int row);
    void AnnounceHighlight(int row) const;
    void PickRow(int row);
    void Show(HWND edit);

    SearchIndex index_;
    std::vector<std::unique_ptr<EditKeys>> edits_;
    ListWindow list_;
    Pick pick_;
    SearchResult shown_;
    std::vector<std::string> rows_;  // the list box's rows, as last set
    HWND openFor_ = nullptr;  // the edit the list is open below
    int listWidth_ = 0;       // at the picker's DPI
};
