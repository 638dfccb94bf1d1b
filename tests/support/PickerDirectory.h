#pragma once
// The picker's fixture directory in place of the sample host's, for one test.
#include "support/DialogDriver.h"

namespace e2e {

struct PickerDirectory {
    ScopedHostFile departments{"dconf\\DepartmentInfo.xml", ReadFileBytes(TestDataPath("picker/DepartmentInfo.xml"))};
    ScopedHostFile friends{"dconf\\FriendsInfo.xml", ReadFileBytes(TestDataPath("picker/FriendsInfo.xml"))};
};

}  // namespace e2e
