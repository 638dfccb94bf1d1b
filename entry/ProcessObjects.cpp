#include "entry/ProcessObjects.h"

#include "directory/DirectoryReader.h"
#include "text/MessageTable.h"

namespace {
// In construction order; see ProcessObjects.h.
MessageTable messageTable;
ConferenceSettings conferenceSettings;
PublishedRecord publishedRecord;
DirectoryReader directoryReader;
}  // namespace

MessageTable& MessageTable::Instance() { return messageTable; }
DirectoryReader& GetDirectoryReader() { return directoryReader; }
ConferenceSettings& GetConferenceSettings() { return conferenceSettings; }
PublishedRecord& GetPublishedRecord() { return publishedRecord; }
