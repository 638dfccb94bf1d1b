#pragma once
// Tests that count the GDI objects a piece of code leaves behind.
#include <gtest/gtest.h>

#include "support/ResourceCount.h"

class GdiBaselineTest : public testing::Test {
protected:
    void SetUp() override {
        // The first screen context allocates objects of its own; take the baseline after it.
        ::ReleaseDC(nullptr, ::GetDC(nullptr));
        baseline = CountGdiObjects();
    }
    int baseline = 0;
};
