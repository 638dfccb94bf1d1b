#pragma once
// The library's process-wide objects, constructed at load in this order and
// destroyed in reverse: message table, application object, conference record and
// the request's other globals, directory reader, skin images. They are defined
// together in ProcessObjects.cpp, because C++ orders construction only within one file.
#include <vector>

#include "entry/HostRecord.h"

// The host's view of the conference record, rebuilt by PublishConferenceRecord; every
// text is non-null even before the first publication. The view points into copies of
// its own, which nothing but the next publication touches: a call made while another
// runs returns this record, and the running call rewrites the dialog's settings.
struct PublishedRecord {
    ConferenceRecord view{"", "", "", "", "", "", "", nullptr, 0, "", "", 0};
    ConferenceSettings texts;
    std::vector<const char*> memberIdTexts;
};
PublishedRecord& GetPublishedRecord();
