#pragma once
// The library's process-wide conference record, and the record as the host hands it
// in and reads it back.
#include "Quorvel.h"
#include "conference/ConferenceSettings.h"

// A copy of a host's record; a null text is the empty text, a text over 4 KiB is cut.
[[nodiscard]] ConferenceSettings SettingsFromHost(const ConferenceRecord& record);

// The process-wide record, constructed empty at load.
ConferenceSettings& GetConferenceSettings();

// The process-wide record as the host reads it, published from copies of its own: every
// text non-null, unchanged and valid until the next call of this function or unload.
ConferenceRecord* PublishConferenceRecord();
