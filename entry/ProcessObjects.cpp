#include "entry/ProcessObjects.h"

#include "directory/DirectoryReader.h"
#include "entry/ConferenceApp.h"
#include "skin/SkinImages.h"
#include "text/MessageTable.h"

namespace {
// In construction order; see ProcessObjects.h.
MessageTable messageTable;
ConferenceApp conferenceApp;
ConferenceSettings conferenceSettings;
PublishedRecord publishedRecord;
DirectoryReader directoryReader;
SkinImages skinImages;
}  // namespace

MessageTable& MessageTable::Instance() { return messageTable; }
ConferenceApp& GetConferenceApp() { return conferenceApp; }
DirectoryReader& GetDirectoryReader() { return directoryReader; }
ConferenceSettings& GetConferenceSettings() { return conferenceSettings; }
PublishedRecord& GetPublishedRecord() { return publishedRecord; }
SkinImages& GetSkinImages() { return skinImages; }
