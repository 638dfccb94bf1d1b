#include "entry/HostRecord.h"

#include "entry/ProcessObjects.h"
#include "framework/Text.h"

namespace {
// Far beyond what the dialog confirms (64 and 128 bytes), and short enough that an
// absurd text from the host never stalls the edit that shows it.
constexpr size_t kLongestRecordText = 4096;

std::string TextOf(const char* s) { return text::BoundedText(s, kLongestRecordText); }
}  // namespace

ConferenceSettings SettingsFromHost(const ConferenceRecord& record) {
    ConferenceSettings copy;
    copy.name = TextOf(record.name);
    copy.description = TextOf(record.description);
    copy.confId = TextOf(record.confId);
    copy.userId = TextOf(record.userId);
    copy.chairman = TextOf(record.chairman);
    copy.startText = TextOf(record.startText);
    copy.memberCount = TextOf(record.memberCount);
    if (record.memberIds != nullptr)
        for (int i = 0; i < record.memberIdCount; ++i) copy.memberIds.push_back(TextOf(record.memberIds[i]));
    copy.spare1 = TextOf(record.spare1);
    copy.spare2 = TextOf(record.spare2);
    copy.noticeMinutes = record.noticeMinutes;
    return copy;
}

ConferenceRecord* PublishConferenceRecord() {
    PublishedRecord& published = GetPublishedRecord();
    // Copied whole before anything is replaced: running out of memory midway leaves the
    // last publication as it was.
    ConferenceSettings copy = GetConferenceSettings();
    std::vector<const char*> memberIdTexts;
    memberIdTexts.reserve(copy.memberIds.size());
    for (const std::string& id : copy.memberIds) memberIdTexts.push_back(id.c_str());
    published.texts = std::move(copy);
    published.memberIdTexts.swap(memberIdTexts);
    const ConferenceSettings& s = published.texts;
    ConferenceRecord& view = published.view;
    view.name = s.name.c_str();
    view.description = s.description.c_str();
    view.confId = s.confId.c_str();
    view.userId = s.userId.c_str();
    view.chairman = s.chairman.c_str();
    view.startText = s.startText.c_str();
    view.memberCount = s.memberCount.c_str();
    view.memberIds = published.memberIdTexts.data();
    view.memberIdCount = static_cast<int>(published.memberIdTexts.size());
    view.spare1 = s.spare1.c_str();
    view.spare2 = s.spare2.c_str();
    view.noticeMinutes = s.noticeMinutes;
    return &view;
}
