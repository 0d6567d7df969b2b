#include "uilib/controls/CColorPalette.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "uilib/controls/CColorButton.h"
#include "uilib/controls/MEdit.h"
#include "uilib/controls/MPalette.h"
#include "uilib/controls/MSpinButton.h"
#include "uilib/controls/MText.h"

namespace tumi {

namespace {
constexpr ColorRef kPresets[CColorPalette::kPresetCount] = {0x001B55, 0x23A2F9, 0x31FEFE, 0x29FF4C,
                                                            0xFEFF50, 0xFC1517, 0x7F007C, 0xFC00F7};
constexpr const char* kPresetGroup = "clr_palette_group";
constexpr const char* kPreviewGroup = "clr_sel_group";
constexpr const char* kLabels[4] = {"R", "G", "B", "#"};
constexpr int kSwatch = 20;
constexpr int kSwatchPitch = 25;
constexpr int kSwatchTop = 5;
constexpr int kPaletteTop = 32;
constexpr int kPaletteWidth = 233;
constexpr int kSideLeft = 235;
constexpr int kPreviewSize = 50;
constexpr int kFieldTop = kPaletteTop + kPreviewSize + 6;
constexpr int kFieldPitch = 28;
constexpr int kLabelWidth = 20;
constexpr int kFieldWidth = 60;
constexpr int kFieldHeight = 24;
constexpr int kHexFontSize = 12;

int Red(ColorRef c) {
  return c & 0xFF;
}
int Green(ColorRef c) {
  return (c >> 8) & 0xFF;
}
int Blue(ColorRef c) {
  return (c >> 16) & 0xFF;
}

std::string HexText(ColorRef c) {
  char text[8];
  std::snprintf(text, sizeof text, "%02x%02x%02x", Red(c), Green(c), Blue(c));
  return text;
}

}  // namespace

CColorPalette::CColorPalette(MObject* parent, unsigned id, const Rect& rect, int visible,
                             int enabled)
    : MPanel(parent, id, rect, visible) {
  enabled_ = enabled;
}

void CColorPalette::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  if (palette_) return;
  for (int i = 0; i < kPresetCount; ++i) {
    auto* swatch = static_cast<CColorButton*>(AddControl(
        std::make_unique<CColorButton>(this, kFirstPresetId + i, Rect{}, "", 1, enabled_)));
    swatch->SetColor(kPresets[i]);
    swatch->SetGroupName(kPresetGroup);
    presets_[i] = swatch;
  }
  palette_ = static_cast<MPalette*>(
      AddControl(std::make_unique<MPalette>(this, kPaletteId, Rect{}, 1, enabled_)));
  palette_->SetThumbImage("img_palette_thumb.png");
  preview_ = static_cast<CColorButton*>(
      AddControl(std::make_unique<CColorButton>(this, kPreviewId, Rect{}, "", 1, enabled_)));
  preview_->SetGroupName(kPreviewGroup);
  preview_->SetControlCheck(1);
  for (int i = 0; i < 4; ++i) {
    labels_[i] = static_cast<MText*>(
        AddControl(std::make_unique<MText>(this, kFirstLabelId + i, Rect{}, kLabels[i])));
  }
  for (int i = 0; i < 3; ++i) {
    spins_[i] = static_cast<MSpinButton*>(
        AddControl(std::make_unique<MSpinButton>(this, kFirstSpinId + i, Rect{}, 1, enabled_)));
    spins_[i]->SetRange(0, 255);
  }
  hex_ = static_cast<MEdit*>(
      AddControl(std::make_unique<MEdit>(this, kHexId, Rect{}, "", 1, enabled_)));
  hex_->SetFontWidth(kHexFontSize);
  hex_->SetLimitText(6);
  Layout();
  Apply(color_, kFromCaller);
  // The first text is written in capitals; later ones as they come.
  std::string text = HexText(color_);
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  hex_->SetEditText(text);
}

void CColorPalette::Layout() {
  if (!palette_) return;
  int x = rect_.left;
  int y = rect_.top;
  for (int i = 0; i < kPresetCount; ++i) {
    presets_[i]->SetControlRect(
        Rect::FromSize(x + kSwatchTop + i * kSwatchPitch, y + kSwatchTop, kSwatch, kSwatch));
  }
  Rect palette{x, y + kPaletteTop, x + kPaletteWidth, rect_.bottom - 4};
  palette_->SetControlRect(palette);
  palette_->SetPalletHeight(std::max(palette.Height() - 2, 1));
  preview_->SetControlRect(
      Rect::FromSize(x + kSideLeft, y + kPaletteTop, kPreviewSize, kPreviewSize));
  for (int i = 0; i < 4; ++i) {
    int top = y + kFieldTop + i * kFieldPitch;
    labels_[i]->SetControlRect(Rect::FromSize(x + kSideLeft, top, kLabelWidth, kFieldHeight));
    Rect field = Rect::FromSize(x + kSideLeft + kLabelWidth + 2, top, kFieldWidth, kFieldHeight);
    if (i < 3) {
      spins_[i]->SetControlRect(field);
    } else {
      hex_->SetControlRect(field);
    }
  }
}

void CColorPalette::SetControlRect(const Rect& rect) {
  MPanel::SetControlRect(rect);
  Layout();
}

void CColorPalette::UpdateControlEx() {
  Layout();
  SetUpdate(0, 0);
  UpdateControl(1, 0);
}

ColorRef CColorPalette::SpinColor() const {
  return static_cast<ColorRef>(spins_[0]->GetCurValue() | (spins_[1]->GetCurValue() << 8) |
                               (spins_[2]->GetCurValue() << 16));
}

bool CColorPalette::ParseHex(const std::string& text, ColorRef* color) {
  if (text.size() != 6) return false;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  unsigned long rgb = std::stoul(text, nullptr, 16);
  *color = static_cast<ColorRef>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
  return true;
}

void CColorPalette::Apply(ColorRef color, Source source) {
  color_ = color & 0xFFFFFF;
  if (!palette_) return;
  if (source != kFromPalette) palette_->SetSelectColor(color_);
  preview_->SetColor(color_);
  if (source != kFromSpins) {
    spins_[0]->SetCurValue(Red(color_));
    spins_[1]->SetCurValue(Green(color_));
    spins_[2]->SetCurValue(Blue(color_));
  }
  if (source != kFromHex) {
    hex_->SetEditText(HexText(color_));
    hex_->UpdateControl(1, 0);
  }
}

void CColorPalette::SetSelectColor(ColorRef color) {
  Apply(color, kFromCaller);
}

int CColorPalette::SetImage(const std::string& name, int frame_count) {
  int loaded = 1;
  for (MSpinButton* spin : spins_) {
    if (spin && !spin->SetImage(name, frame_count)) loaded = 0;
  }
  return loaded;
}

int CColorPalette::SetThumbImage(const std::string& name) {
  return palette_ ? palette_->SetThumbImage(name) : 0;
}

void CColorPalette::SetTextColor(Argb color) {
  MPanel::SetTextColor(color);
  for (MText* label : labels_) {
    if (label) label->SetTextColor(color);
  }
  for (MSpinButton* spin : spins_) {
    if (spin) spin->SetTextColor(color);
  }
  if (hex_) hex_->SetTextColor(color);
  UpdateControlEx();
}

long CColorPalette::OnMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                              std::intptr_t lparam) {
  if (palette_) {
    int preset = static_cast<int>(id) - static_cast<int>(kFirstPresetId);
    if (id == kPaletteId && code == kNotifyColorPicked) {
      Apply(palette_->GetSelectColor(), kFromPalette);
    } else if (id >= kFirstSpinId && id < kFirstSpinId + 3 && code == kNotifySpinChanged) {
      Apply(SpinColor(), kFromSpins);
    } else if (id == kPreviewId && code == kNotifyActivated) {
      Apply(preview_->GetColor(), kFromSwatch);
    } else if (preset >= 0 && preset < kPresetCount && code == kNotifyActivated) {
      Apply(presets_[preset]->GetColor(), kFromSwatch);
    } else if (id == kHexId && (code == kNotifyTextChanged || code == kNotifyEditEnded)) {
      ColorRef typed = 0;
      if (ParseHex(hex_->GetEditText(), &typed)) Apply(typed, kFromHex);
    }
  }
  return MPanel::OnMessage(id, code, wparam, lparam);
}

}  // namespace tumi
