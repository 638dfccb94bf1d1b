#pragma once
// The rules of the time control's fields, apart from their windows.
#include <string>

// A field's value after one spin change of `delta`: the up arrow proposes a negative
// change (the spin keeps its default range) and raises the value by one; otherwise it
// falls by one. A step past either end of [lowest, highest] leaves the value as it is.
[[nodiscard]] int SpinStep(int value, int delta, int lowest, int highest);

// Whether a digit field may show `text`: its value, read as atoi reads it (no digits
// read as 0), lies within [lowest, highest], both ends inclusive.
[[nodiscard]] bool InDigitRange(const std::string& text, int lowest, int highest);
