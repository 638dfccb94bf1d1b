#include "conference/ConferenceSettings.h"

bool TakeOverRecord(ConferenceSettings& own, const ConferenceSettings* given) {
    own.name.clear();
    if (given == nullptr) {
        own.description.clear();
        own.confId.clear();
        own.userId.clear();
        own.chairman.clear();
        own.memberCount.clear();
        own.startText.clear();
        own.memberIds.clear();
        // A new conference starts with the SMS notice off, not with the last call's minutes.
        own.noticeMinutes = 0;
        return false;
    }
    own.description.clear();
    own.userId.clear();
    own.spare1.clear();
    own.chairman.clear();
    own.spare2.clear();
    own.memberCount.clear();
    own.confId.clear();
    own.startText.clear();
    own.memberIds = std::vector<std::string>();
    own.name = given->name;
    own.description = given->description;
    own.confId = given->confId;
    own.userId = given->userId;
    own.chairman = given->chairman;
    own.memberCount = given->memberCount;
    own.startText = given->startText;
    own.noticeMinutes = given->noticeMinutes;
    own.memberIds = given->memberIds;
    return !own.confId.empty();
}
