#pragma once
// A single-line edit that refuses every keystroke after which its text would no longer
// read as a number within its range. Characters themselves are filtered by the edit's
// own numbers-only style.
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

protected:
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnChar();
    void OnSize();

    int maxValue = 0;
    int minValue = 0;

    static const MessageMap<DigitEdit> messageMap;
};
