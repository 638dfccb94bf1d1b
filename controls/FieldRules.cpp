#include "controls/FieldRules.h"

#include "framework/Text.h"

int SpinStep(int value, int delta, int lowest, int highest) {
    const int step = delta <= 0 ? 1 : -1;
    // Wide enough that a value at the end of int's range cannot overflow.
    const long long stepped = static_cast<long long>(value) + step;
    return stepped >= lowest && stepped <= highest ? static_cast<int>(stepped) : value;
}

bool InDigitRange(const std::string& text, int lowest, int highest) {
    const int value = text::ParseInt(text);
    return value >= lowest && value <= highest;
}
