#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <set>

#include "conference/ConferenceLayout.h"
#include "res/resource.h"
#include "support/Records.h"

TEST(ConferenceLayout, PlacesEveryControlOnceAndTheTimeControl) {
    const std::vector<ConferencePlacement> layout = ComputeConferenceLayout(400);
    std::set<int> ids;
    for (const ConferencePlacement& p : layout) EXPECT_TRUE(ids.insert(p.id).second) << p.id;
    EXPECT_EQ(ids.size(), 25u);
    EXPECT_EQ(ids.count(kTimeControlPlacement), 1u);
}

TEST(ConferenceLayout, WidthsAndRightHandPositionsFollowTheArea) {
    constexpr int kAny = INT_MIN;
    struct Case {
        int area, id, x, width;
    };
    const Case cases[] = {
        // 300 pixels: the date and the time share the start row.
        {300, IDC_START_DATE, 88, 88},
        {300, kTimeControlPlacement, 185, 95},
        {300, IDCANCEL, 190, kAny},
        {300, IDC_CONF_ATTACH_ADD, 230, kAny},
        // A narrow area gives negative widths unchanged: (100 - 124) / 2, toward zero.
        {100, IDC_START_DATE, kAny, -12},
        {100, kTimeControlPlacement, 85, -5},
        {100, IDC_CURRENT_TIME, kAny, -34},
    };
    for (const Case& c : cases) {
        const ControlPlacement p = PlacementOf(ComputeConferenceLayout(c.area), c.id);
        if (c.x != kAny) EXPECT_EQ(p.x, c.x) << c.area << " pixels, control " << c.id;
        if (c.width != kAny) EXPECT_EQ(p.width, c.width) << c.area << " pixels, control " << c.id;
    }
}

TEST(ConferenceLayout, TheHeightsAndRowsDoNotFollowTheWidth) {
    const std::vector<ConferencePlacement> narrow = ComputeConferenceLayout(200);
    const std::vector<ConferencePlacement> wide = ComputeConferenceLayout(900);
    ASSERT_EQ(narrow.size(), wide.size());
    for (size_t i = 0; i < narrow.size(); ++i) {
        EXPECT_EQ(narrow[i].y, wide[i].y);
        EXPECT_EQ(narrow[i].height, wide[i].height);
    }
    EXPECT_EQ(PlacementOf(wide, IDC_MEMBER_LIST).y, 307);
    EXPECT_EQ(PlacementOf(wide, IDC_NOTICE_MINUTES).height, 100);
}

// Each pixel number is scaled on its own, MulDiv rounding halves away from zero (65 at
// 144 DPI is 97.5, placed at 98), and the width-dependent ones subtract scaled numbers.
TEST(ConferenceLayout, PixelNumbersScaleWithTheDpi) {
    struct Case {
        int dpi, area, id, x, y, width, height;
    };
    const Case cases[] = {
        {144, 450, IDC_CONF_NAME, 98, 9, 337, 27},
        {144, 450, IDC_START_DATE, 132, 327, 132, 30},
        {144, 450, kTimeControlPlacement, 278, 329, 142, 27},
        {144, 450, IDC_MEMBER_LIST, 15, 461, 420, 120},
        {192, 600, IDC_CONF_NAME, 130, 12, 450, 36},
        {192, 600, IDC_MEMBER_LIST, 20, 614, 560, 160},
        {192, 600, IDCANCEL, 380, 888, 100, 40},
    };
    for (const Case& c : cases) {
        const ControlPlacement p = PlacementOf(ComputeConferenceLayout(c.area, c.dpi), c.id);
        EXPECT_EQ((std::vector<int>{p.x, p.y, p.width, p.height}), (std::vector<int>{c.x, c.y, c.width, c.height}))
            << c.dpi << " DPI, control " << c.id;
    }
    EXPECT_EQ(ConferenceLayoutHeight(144), 711);
    EXPECT_EQ(ConferenceLayoutHeight(192), 948);
}
