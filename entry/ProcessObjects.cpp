#include "entry/ProcessObjects.h"

namespace {
// In construction order; see ProcessObjects.h.
ConferenceSettings conferenceSettings;
PublishedRecord publishedRecord;
}  // namespace

ConferenceSettings& GetConferenceSettings() { return conferenceSettings; }
PublishedRecord& GetPublishedRecord() { return publishedRecord; }
