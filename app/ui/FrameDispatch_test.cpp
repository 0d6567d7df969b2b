#include "app/ui/FrameDispatch.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(FrameDispatch, RoutesByIdentifierAndCode) {
  using R = FrameRoute;
  struct Case {
    unsigned id;
    unsigned code;
    FrameRoute route;
  } cases[] = {
      {49, 2, R::kTabSwitch},     {49, 1, R::kUnhandled},   {56, 1, R::kDeviceChosen},
      {56, 2, R::kUnhandled},     {41, 2, R::kCloseButton}, {41, 3, R::kUnhandled},
      {42, 2, R::kMinimize},      {44, 2, R::kWebsite},     {45, 2, R::kStore},
      {43, 9, R::kAccepted},      {111, 2, R::kAccepted},   {216, 0, R::kAccepted},
      {234, 2, R::kAccepted},     {66, 7, R::kKeyPage},     {67, 0, R::kKeyPage},
      {69, 4, R::kKeyPage},       {49, 1825, R::kKeyPage},  {300, 1825, R::kKeyPage},
      {60, 2, R::kKeyPage},       {64, 2, R::kKeyPage},     {65, 2, R::kUnhandled},
      {72, 5, R::kLightPage},     {116, 27, R::kLightPage}, {116, 2, R::kUnhandled},
      {124, 0, R::kLightPage},    {71, 3, R::kLightPage},   {110, 2, R::kLightPage},
      {136, 2, R::kLightPage},    {137, 2, R::kUnhandled},  {148, 2, R::kLightPage},
      {149, 2, R::kUnhandled},    {157, 2, R::kUnhandled},  {204, 2, R::kLightPage},
      {92, 2, R::kUnhandled},     {207, 1, R::kMacroPage},  {213, 0, R::kMacroPage},
      {223, 29, R::kMacroPage},   {223, 2, R::kUnhandled},  {242, 29, R::kMacroPage},
      {243, 2, R::kMacroPage},    {228, 2, R::kUnhandled},  {246, 2, R::kSettingsPage},
      {251, 2, R::kSettingsPage}, {252, 2, R::kUnhandled},  {30, 2, R::kUnhandled},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RouteNotification(c.id, c.code), c.route) << "id " << c.id << " code " << c.code;
  }
}

}  // namespace
}  // namespace tessaro
