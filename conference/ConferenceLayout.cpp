#include "conference/ConferenceLayout.h"

#include <windows.h>

#include "res/resource.h"

std::vector<ConferencePlacement> ComputeConferenceLayout(int width) {
    const int w = width;
    const int d = (w - 124) / 2;  // the date picker's width; the time control takes the rest
    return {
        {IDC_NAME_LABEL, 10, 6, 52, 16},
        {IDC_CONF_NAME, 65, 6, w - 75, 18},
        {IDC_DESCRIPTION_LABEL, 10, 28, 52, 16},
        {IDC_CONF_DESCRIPTION, 65, 28, w - 75, 84},
        {IDC_ATTACH_LABEL, 10, 104, 52, 16},
        {IDC_CONF_ATTACHMENT, 65, 104, w - 75, 18},
        {IDC_CONF_ATTACH_ADD, w - 70, 128, 50, 20},
        {IDC_VOICE, 10, 156, w - 20, 16},
        {IDC_TIME_GROUP, 10, 176, w - 20, 90},
        {IDC_START_NOW, 20, 194, w - 40, 16},
        {IDC_START_SCHEDULED, 20, 218, 65, 16},
        {IDC_START_DATE, 88, 218, d, 20},
        {kTimeControlPlacement, 97 + d, 219, w - 117 - d, 18},
        {IDC_CURRENT_TIME, 114, 245, w - 134, 16},
        {IDC_ADD_MEMBERS, 10, 282, 70, 20},
        {IDC_DELETE_MEMBERS, 83, 282, 70, 20},
        {IDC_MEMBER_ADVICE, 156, 290, w - 166, 12},
        {IDC_MEMBER_LIST, 10, 307, w - 20, 80},
        {IDC_NOTICE_GROUP, 10, 391, w - 20, 45},
        {IDC_SMS, 20, 409, 65, 16},
        {IDC_NOTICE_BEFORE, 94, 409, 26, 16},
        {IDC_NOTICE_MINUTES, 123, 409, 104, 100},  // the height includes the drop-down
        {IDC_NOTICE_AFTER, 230, 409, 26, 16},
        {IDOK, 60, 444, 50, 20},
        {IDCANCEL, w - 110, 444, 50, 20},
    };
}
