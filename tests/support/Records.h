#pragma once
// Records that the plain-logic tests build by hand: directory groups and the places of
// a layout.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "directory/ContactGroup.h"
#include "framework/ControlPlacement.h"

// A group whose people are listed under its name.
inline ContactGroup Group(const std::string& name, std::vector<ContactEntry> entries,
                          std::vector<ContactGroup> subgroups = {}) {
    for (ContactEntry& e : entries) e.groupName = name;
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
