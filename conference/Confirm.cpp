#include "conference/Confirm.h"

#include "conference/ConferenceTexts.h"
#include "conference/MemberUri.h"
#include "conference/RequestDocument.h"
#include "conference/StartTime.h"
#include "framework/Text.h"

std::variant<Refusal, std::string> Confirm(const ConferenceValues& values, ConferenceSettings& record) {
    if (text::RemoveByte(values.name, ' ').empty())
        return Refusal{texts::kNameEmpty, texts::kCaptionNotice, RefusalFocus::Name};
    if (values.name.size() > 64) return Refusal{texts::kNameTooLong, texts::kCaptionLength, RefusalFocus::Name};

    RequestValues request;
    request.updateMode = values.updateMode;
    request.userId = values.userId;
    record.userId = values.userId;
    request.confId = record.confId;
    request.name = values.name;
    record.name = values.name;
    record.chairman = values.userId;
    request.chairmanId = ChairmanId(values.members, values.chairmanIndex);
    if (!request.chairmanId.empty()) record.chairman = request.chairmanId;

    if (values.description.size() > 128)
        return Refusal{texts::kDescriptionTooLong, texts::kCaptionLength, RefusalFocus::Description};
    request.description = values.description;
    record.description = values.description;
    request.voiceOn = values.voiceOn;
    record.memberCount = "100";

    if (!values.scheduled) {
        record.startText = texts::kStartAtOnce;
    } else {
        const StartReading start = values.readStart ? values.readStart() : StartReading{};
        if (!start.digits)
            return Refusal{texts::kTimeNotSet, texts::kCaptionNotice,
                           start.timeFieldRefused ? RefusalFocus::RefusedTimeField : RefusalFocus::StartDate};
        request.startDigits = *start.digits;
        record.startText = StartTextFromDigits(request.startDigits);
    }

    request.smsOn = values.smsOn;
    request.noticeMinutes = values.smsOn ? 10 * values.noticeChoice + 10 : 0;
    record.noticeMinutes = request.noticeMinutes;

    record.memberIds.clear();
    for (const MemberEntry& member : values.members)
        if (member.checked) record.memberIds.push_back(MemberIdFromUri(member.uri));
    if (record.memberIds.empty()) return Refusal{texts::kNoMembers, texts::kCaptionNotice, RefusalFocus::MemberList};
    record.memberCount = text::Format("%d", static_cast<int>(record.memberIds.size()));
    request.members = values.members;
    return WriteRequestDocument(request);
}
