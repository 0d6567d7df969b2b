#include "uilib/controls/CColorPalette.h"

#include <gtest/gtest.h>

#include "uilib/controls/CColorButton.h"
#include "uilib/controls/ControlTestWindow.h"
#include "uilib/controls/MEdit.h"
#include "uilib/controls/MPalette.h"
#include "uilib/controls/MSpinButton.h"

namespace tumi {
namespace {

using testing::ControlTestWindow;

struct Parts {
  CColorPalette* composite;
  MPalette* palette;
  CColorButton* preview;
  MSpinButton* red;
  MSpinButton* green;
  MSpinButton* blue;
  MEdit* hex;

  std::vector<int> Spins() const {
    return {red->GetCurValue(), green->GetCurValue(), blue->GetCurValue()};
  }
};

Parts Build(ControlTestWindow& w) {
  EXPECT_TRUE(w.ui.AddStrip("img_spin_up.png", 16, 12, 4));
  EXPECT_TRUE(w.ui.AddStrip("img_spin_down.png", 16, 12, 4));
  auto* c = w.Add<CColorPalette>(600, Rect{10, 10, 330, 270});
  return {c,
          static_cast<MPalette*>(c->GetControl(CColorPalette::kPaletteId)),
          static_cast<CColorButton*>(c->GetControl(CColorPalette::kPreviewId)),
          static_cast<MSpinButton*>(c->GetControl(CColorPalette::kFirstSpinId)),
          static_cast<MSpinButton*>(c->GetControl(CColorPalette::kFirstSpinId + 1)),
          static_cast<MSpinButton*>(c->GetControl(CColorPalette::kFirstSpinId + 2)),
          static_cast<MEdit*>(c->GetControl(CColorPalette::kHexId))};
}

TEST(CColorPaletteTest, StartsInStepWithTheHexInCapitals) {
  ControlTestWindow w;
  Parts p = Build(w);
  EXPECT_EQ(p.composite->GetSelectColor(), 0x00E1FFu);
  EXPECT_EQ(p.preview->GetColor(), 0x00E1FFu);
  EXPECT_EQ(p.preview->GetCheck(), 1);
  EXPECT_EQ(p.Spins(), (std::vector<int>{255, 225, 0}));
  EXPECT_EQ(p.hex->GetEditText(), "FFE100");
  EXPECT_EQ(p.palette->GetPalletHeight(), 224 - 2);
  // Later texts keep the digits as written, leading zeros included.
  p.composite->SetSelectColor(0x00800F);
  EXPECT_EQ(p.hex->GetEditText(), "0f8000");
}

TEST(CColorPaletteTest, EveryPartBringsTheOthersInStep) {
  ControlTestWindow w;
  Parts p = Build(w);
  // A preset: the first swatch at (15, 15).
  w.Click({20, 20});
  EXPECT_EQ(p.composite->GetSelectColor(), 0x001B55u);
  EXPECT_EQ(p.Spins(), (std::vector<int>{0x55, 0x1B, 0}));
  EXPECT_EQ(p.hex->GetEditText(), "551b00");
  EXPECT_EQ(p.preview->GetColor(), 0x001B55u);
  EXPECT_EQ(w.dialog.CodesFrom(631), (std::vector<unsigned>{kNotifyPressed, kNotifyActivated}));

  // The red field's up button.
  Rect up = p.red->GetControl(MSpinButton::kUpButtonId)->GetRect();
  w.Click({up.left + 2, up.top + 2});
  EXPECT_EQ(p.composite->GetSelectColor(), 0x001B56u);
  EXPECT_EQ(p.hex->GetEditText(), "561b00");
  EXPECT_EQ(w.dialog.CodesFrom(CColorPalette::kFirstSpinId),
            (std::vector<unsigned>{kNotifySpinChanged}));

  // The palette plane.
  w.Click({60, 100});
  ColorRef picked = p.palette->GetSelectColor();
  EXPECT_EQ(p.composite->GetSelectColor(), picked);
  EXPECT_EQ(p.preview->GetColor(), picked);
  EXPECT_EQ(w.dialog.notifications.back().id, CColorPalette::kPaletteId);

  // A typed hex text; a malformed one changes nothing.
  p.hex->SetEditText("0F8000");
  p.composite->OnMessage(CColorPalette::kHexId, kNotifyTextChanged, 0, 0);
  EXPECT_EQ(p.composite->GetSelectColor(), 0x00800Fu);
  EXPECT_EQ(p.Spins(), (std::vector<int>{15, 128, 0}));
  p.hex->SetEditText("0F80");
  p.composite->OnMessage(CColorPalette::kHexId, kNotifyTextChanged, 0, 0);
  EXPECT_EQ(p.composite->GetSelectColor(), 0x00800Fu);
}

}  // namespace
}  // namespace tumi
