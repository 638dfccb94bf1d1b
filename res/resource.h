// Ids of the library's dialog templates and of their controls: used by its resources and
// code, and by the sample host's scripted run, which finds controls by them.
#pragma once

#define IDD_CONFERENCE      138
#define IDD_TIME_CONTROL    139
#define IDD_CONTACT_PICKER  142

// Conference dialog (138)
#define IDC_CONF_NAME           1003
#define IDC_CONF_ATTACH_ADD     1004
#define IDC_ADD_MEMBERS         1005
#define IDC_DELETE_MEMBERS      1006
#define IDC_MEMBER_LIST         1008
#define IDC_CONF_DESCRIPTION    1044
#define IDC_CONF_ATTACHMENT     1045
#define IDC_VOICE               1046
#define IDC_NAME_LABEL          1047
#define IDC_DESCRIPTION_LABEL   1048
#define IDC_ATTACH_LABEL        1049
#define IDC_TIME_GROUP          1050
#define IDC_START_NOW           1051
#define IDC_START_SCHEDULED     1052
#define IDC_START_DATE          1053
#define IDC_CURRENT_TIME        1055
#define IDC_MEMBER_ADVICE       1056
#define IDC_NOTICE_GROUP        1057
#define IDC_SMS                 1058
#define IDC_NOTICE_AFTER        1060
#define IDC_NOTICE_BEFORE       1061
#define IDC_NOTICE_MINUTES      1062

// Time control (139)
#define IDC_HOURS               1034
#define IDC_MINUTES             1035
#define IDC_SECONDS             1036
#define IDC_TIME_SPIN           1064
#define IDC_HOUR_MINUTE_COLON   1066
#define IDC_MINUTE_SECOND_COLON 1067

// Contact picker (142)
#define IDC_PICKER_NAME         1003
#define IDC_MOVE                1157
#define IDC_ADD_TYPED           1166
#define IDC_COMPANY_TREE        1208
#define IDC_CHOSEN_LIST         1209
#define IDC_TYPED_NUMBER        1210
#define IDC_REMOVE_CHOSEN       1211
#define IDC_FRIENDS_TREE        1212
#define IDC_PICKER_TABS         1068
#define IDC_PICKER_NAME_LABEL   1069
#define IDC_PICKER_NUMBER_LABEL 1070
