#pragma once
// Records that the tests build by hand: directory groups, the places of a layout, and
// the request of the weekly meeting.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "directory/ContactGroup.h"
#include "framework/ControlPlacement.h"

// The weekly meeting (start 2008-05-20 14:30, notice 20 minutes ahead, one typed member
// and 1002), as the writer must send it byte for byte, whether it is given the values
// or the user enters them in the dialog.
inline constexpr char kWeeklyMeetingRequest[] =
    "<dsml method=\"createconf\"  id=\"1001\">\r\n"
    "<name>周例会</name>\r\n"
    "<desc>讨论项目进度</desc>\r\n"
    "<audio>1</audio>\r\n"
    "<max>100</max>\r\n"
    "<starttime flag=\"1\">20080520143000</starttime>\r\n"
    "<msgtime flag=\"1\">20</msgtime>\r\n"
    "<userlist>\r\n"
    "<user mobile=\"801\"></user>\r\n"
    "<user mobile=\"802\">sip:1002@example.cn</user>\r\n"
    "</userlist>\r\n"
    "</dsml>";

// A group whose people are listed under its name.
inline ContactGroup Group(const std::string& name, std::vector<ContactEntry> entries,
                          std::vector<ContactGroup> subgroups = {}) {
    for (ContactEntry& e : entries) e = ContactEntry(name, e.name(), e.displayName(), e.uri(), e.mobile(), e.phs());
    return ContactGroup{name, std::move(entries), std::move(subgroups)};
}

// "x,y wxh": a place compared, and reported when it differs, as one value.
inline std::string Placed(int x, int y, int width, int height) {
    return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(width) + "x" + std::to_string(height);
}
inline std::string Placed(const ControlPlacement& p) { return Placed(p.x, p.y, p.width, p.height); }

inline ControlPlacement PlacementOf(const std::vector<ControlPlacement>& layout, int id) {
    for (const ControlPlacement& p : layout)
        if (p.id == id) return p;
    ADD_FAILURE() << "no placement for " << id;
    return {};
}
