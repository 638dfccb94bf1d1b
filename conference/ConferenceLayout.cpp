#include "conference/ConferenceLayout.h"

#include <windows.h>

#include "res/resource.h"

std::vector<ConferencePlacement> ComputeConferenceLayout(int width, int dpi) {
    const auto s = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    const int w = width;
    const int d = (w - s(124)) / 2;  // the date picker's width; the time control takes the rest
    return {
        {IDC_NAME_LABEL, s(10), s(6), s(52), s(16)},
        {IDC_CONF_NAME, s(65), s(6), w - s(75), s(18)},
        {IDC_DESCRIPTION_LABEL, s(10), s(28), s(52), s(16)},
        {IDC_CONF_DESCRIPTION, s(65), s(28), w - s(75), s(84)},
        {IDC_ATTACH_LABEL, s(10), s(104), s(52), s(16)},
        {IDC_CONF_ATTACHMENT, s(65), s(104), w - s(75), s(18)},
        {IDC_CONF_ATTACH_ADD, w - s(70), s(128), s(50), s(20)},
        {IDC_VOICE, s(10), s(156), w - s(20), s(16)},
        {IDC_TIME_GROUP, s(10), s(176), w - s(20), s(90)},
        {IDC_START_NOW, s(20), s(194), w - s(40), s(16)},
        {IDC_START_SCHEDULED, s(20), s(218), s(65), s(16)},
        {IDC_START_DATE, s(88), s(218), d, s(20)},
        {kTimeControlPlacement, s(97) + d, s(219), w - s(117) - d, s(18)},
        {IDC_CURRENT_TIME, s(114), s(245), w - s(134), s(16)},
        {IDC_ADD_MEMBERS, s(10), s(282), s(70), s(20)},
        {IDC_DELETE_MEMBERS, s(83), s(282), s(70), s(20)},
        // 12 pixels cut the line of its font by two: kept at 96, whole at any other DPI.
        {IDC_MEMBER_ADVICE, s(156), s(290), w - s(166), dpi == kDefaultDpi ? 12 : s(16)},
        {IDC_MEMBER_LIST, s(10), s(307), w - s(20), s(80)},
        {IDC_NOTICE_GROUP, s(10), s(391), w - s(20), s(45)},
        {IDC_SMS, s(20), s(409), s(65), s(16)},
        {IDC_NOTICE_BEFORE, s(94), s(409), s(26), s(16)},
        {IDC_NOTICE_MINUTES, s(123), s(409), s(104), s(100)},  // the height includes the drop-down
        {IDC_NOTICE_AFTER, s(230), s(409), s(26), s(16)},
        {IDOK, s(60), s(444), s(50), s(20)},
        {IDCANCEL, w - s(110), s(444), s(50), s(20)},
    };
}

int ConferenceLayoutHeight(int dpi) { return ScaleForDpi(474, dpi); }  // below OK and Cancel
