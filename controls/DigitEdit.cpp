#include "controls/DigitEdit.h"

#include "controls/FieldRules.h"

const MessageMap<DigitEdit> DigitEdit::messageMap = {
    OnMessage(WM_CHAR, &DigitEdit::OnChar),
    OnMessage(WM_SIZE, &DigitEdit::OnSize),
};

bool DigitEdit::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return messageMap.Dispatch(*this, message, wParam, lParam, result);
}

void DigitEdit::SetRange(int lowest, int highest) {
    minValue = lowest;
    maxValue = highest;
}

void DigitEdit::GetRange(int& lowest, int& highest) const {
    lowest = minValue;
    highest = maxValue;
}

// Every character, backspace and the editing shortcuts included, goes through the edit
// first; a result outside the range is taken back silently.
void DigitEdit::OnChar() {
    const Edit edit = AsEdit();
    const std::string kept = edit.GetText();
    const int keptEnd = HIWORD(edit.GetSel());
    restoring = true;
    Default();
    const std::string typed = edit.GetText();
    if (!InDigitRange(typed, minValue, maxValue)) {
        edit.SetText(kept);
        edit.SetSel(keptEnd, keptEnd);
        edit.ScrollCaret();
    } else {
        accepted = typed;
    }
    restoring = false;
}

void DigitEdit::OnTextChanged() {
    if (restoring || Handle() == nullptr) return;
    const Edit edit = AsEdit();
    const std::string now = edit.GetText();
    if (InDigitRange(now, minValue, maxValue)) {
        accepted = now;
        return;
    }
    restoring = true;
    edit.SetText(accepted);
    const int end = static_cast<int>(accepted.size());
    edit.SetSel(end, end);
    restoring = false;
}

void DigitEdit::OnSize() { Default(); }
