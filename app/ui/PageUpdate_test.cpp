#include "app/ui/PageUpdate.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(PageUpdate, WhatEachDetectionShows) {
  const PageHeading key_heading{51, "icon\\icon_keyboard.png"};
  struct Case {
    const char* name;
    DetectionState state;
    int status;
    int position;
    bool tabs;
    std::optional<bool> header;
    PageHeading heading;
    bool reload;
    std::optional<uint32_t> menu_flags;
  } cases[] = {
      {"no keyboard", {false, false, 201, 0}, 61, 0, false, std::nullopt, {}, false, std::nullopt},
      {"type 201 wired", {true, true, 201, 0}, 60, 1, true, true, key_heading, true, 0x47},
      {"type 201 wireless, opened: home with tabs",
       {true, true, 201, 1},
       60,
       0,
       true,
       true,
       {},
       true,
       0x47},
      {"type 201 wireless, receiver only",
       {true, false, 201, 1},
       61,
       0,
       false,
       false,
       {},
       false,
       0x47},
      {"type 201 mode 2, receiver only",
       {true, false, 201, 2},
       61,
       0,
       false,
       false,
       {},
       false,
       0x47},
      {"first generation",
       {true, true, 100, 1},
       60,
       1,
       true,
       true,
       key_heading,
       true,
       std::nullopt},
      {"present, nothing opened, wired",
       {true, false, 201, 0},
       60,
       1,
       true,
       true,
       key_heading,
       true,
       0x47},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FrameView view = UpdatePages(c.state);
    EXPECT_EQ(view.status_text, c.status);
    EXPECT_EQ(view.selected_position, c.position);
    EXPECT_EQ(view.tabs_shown, c.tabs);
    EXPECT_EQ(view.header_shown, c.header);
    EXPECT_EQ(view.heading, c.heading);
    EXPECT_EQ(view.reload, c.reload);
    EXPECT_EQ(view.menu_flags, c.menu_flags);
  }
}

TEST(PageUpdate, TypesFrom300LeaveThePageTabsAlone) {
  EXPECT_EQ(UpdatePages({true, true, 300, 0}).page_tabs_visible, std::nullopt);
  EXPECT_EQ(UpdatePages({true, true, 299, 0}).page_tabs_visible, true);
  EXPECT_FALSE(UpdatePages({true, true, 300, 0}).reset_button_visible);
  EXPECT_TRUE(UpdatePages({true, true, 201, 0}).reset_button_visible);
}

TEST(PageUpdate, TabsInPositionOrder) {
  const int ids[] = {0, 1, 2, 3, 5};
  for (int position = 0; position < 5; ++position) {
    ASSERT_NE(TabAt(position), nullptr);
    EXPECT_EQ(TabAt(position)->tab_id, ids[position]);
    EXPECT_EQ(TabAt(position)->page, 50u + position);
  }
  EXPECT_EQ(TabAt(-1), nullptr);
  EXPECT_EQ(TabAt(5), nullptr);
  EXPECT_EQ(TabAt(4)->heading, (PageHeading{56, "icon\\icon_config.png"}));
}

}  // namespace
}  // namespace tessaro
