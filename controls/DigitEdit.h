#pragma once
// A single-line edit that refuses every change after which its text would no longer
// read as a number within its range: keystrokes here, and pastes, WM_SETTEXT and the
// context menu through its parent's EN_CHANGE (`OnTextChanged`). Typed characters
// themselves are filtered by the edit's own numbers-only style.
#include <string>

#include "framework/SubclassedWindow.h"
#include "framework/Window.h"

class DigitEdit : public SubclassedWindow {
public:
    DigitEdit() = default;
    ~DigitEdit() override = default;

    // Both ends inclusive; neither the order of the ends nor the current text is checked.
    void SetRange(int lowest, int highest);
    void GetRange(int& lowest, int& highest) const;

    [[nodiscard]] Edit AsEdit() const { return Edit(Handle()); }

    // For the parent's EN_CHANGE: text out of range is replaced by the last text that
    // was in range. A paste by Shift+Insert or the menu changes the text without a
    // message to the edit itself, so the parent's notice is the one place that sees all.
    void OnTextChanged();

protected:
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnChar();
    void OnSize();

    int maxValue = 0;
    int minValue = 0;
    std::string accepted;
    bool restoring = false;  // our own SetText, or a keystroke that takes itself back

    static const MessageMap<DigitEdit> messageMap;
};
