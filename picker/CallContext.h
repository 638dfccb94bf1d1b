#pragma once
// What one call of the export lends its dialogs: the skin's pictures and the directory
// reader, whose reuse is on for the call, so that the picker takes the records the
// conference dialog has just read. Built by the export; the dialogs reach no
// process-wide object for these.
#include "directory/DirectoryReader.h"
#include "skin/SkinImages.h"

struct CallContext {
    const SkinImages& skin;
    DirectoryReader& directory;
};
