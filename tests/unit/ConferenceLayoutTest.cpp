#include <gtest/gtest.h>

#include <windows.h>

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

TEST(ConferenceLayout, A300PixelAreaSharesTheStartRowBetweenDateAndTime) {
    const std::vector<ConferencePlacement> layout = ComputeConferenceLayout(300);
    const ConferencePlacement date = PlacementOf(layout, IDC_START_DATE);
    EXPECT_EQ(date.x, 88);
    EXPECT_EQ(date.width, 88);
    const ConferencePlacement time = PlacementOf(layout, kTimeControlPlacement);
    EXPECT_EQ(time.x, 185);
    EXPECT_EQ(time.width, 95);
    EXPECT_EQ(PlacementOf(layout, IDCANCEL).x, 190);
    EXPECT_EQ(PlacementOf(layout, IDC_CONF_ATTACH_ADD).x, 230);
}

TEST(ConferenceLayout, ANarrowAreaGivesNegativeWidthsUnchanged) {
    const std::vector<ConferencePlacement> layout = ComputeConferenceLayout(100);
    EXPECT_EQ(PlacementOf(layout, IDC_START_DATE).width, -12);  // (100 - 124) / 2, toward zero
    const ConferencePlacement time = PlacementOf(layout, kTimeControlPlacement);
    EXPECT_EQ(time.x, 85);
    EXPECT_EQ(time.width, -5);
    EXPECT_EQ(PlacementOf(layout, IDC_CURRENT_TIME).width, -34);
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
