#include "conference/ConferenceSettings.h"

#include <utility>

bool TakeOverRecord(ConferenceSettings& own, const ConferenceSettings* given) {
    // Built apart and then moved in, so that memory running out midway leaves `own` as it was.
    ConferenceSettings taken;
    if (given != nullptr) {
        taken = *given;
        // The spare fields are never taken over from a record passed in.
        taken.spare1.clear();
        taken.spare2.clear();
    } else {
        // A new conference starts with everything else empty and the SMS notice off, not
        // with the last call's minutes; only the spare fields stay as the last call left them.
        taken.spare1 = std::move(own.spare1);
        taken.spare2 = std::move(own.spare2);
    }
    own = std::move(taken);
    return !own.confId.empty();
}
