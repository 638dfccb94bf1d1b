// Stand-in for the closed skinning library: it paints nothing and records every call,
// one line each, so that tests can check names, arguments and order.
#include "SkinMM.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string& CallLog() {
    static std::string log;
    return log;
}

void Record(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Record(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    CallLog() += line;
    CallLog() += '\n';
}

void* Key(HWND window) { return reinterpret_cast<void*>(window); }

}  // namespace

extern "C" int skinmmSetSkin(HWND dialog, const char* elementName) {
    Record("skinmmSetSkin %p %s", Key(dialog), elementName ? elementName : "(null)");
    return 1;
}

extern "C" int skinmmRemoveCtrl(HWND control) {
    Record("skinmmRemoveCtrl %p %d", Key(control), ::GetDlgCtrlID(control));
    return 1;
}

extern "C" int skinmmSetChildShapeRect(HWND dialog, const char* shapeName, int left, int top, int right,
                                       int bottom, int flag) {
    Record("skinmmSetChildShapeRect %p %s %d %d %d %d %d", Key(dialog), shapeName ? shapeName : "(null)", left,
           top, right, bottom, flag);
    return 1;
}

extern "C" int skinmmStandInCallLog(char* buffer, int size) {
    const std::string& log = CallLog();
    if (buffer != nullptr && size > 0) {
        const size_t n = log.size() < static_cast<size_t>(size - 1) ? log.size() : static_cast<size_t>(size - 1);
        std::memcpy(buffer, log.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<int>(log.size());
}

extern "C" void skinmmStandInClearLog(void) { CallLog().clear(); }
