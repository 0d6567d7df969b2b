#pragma once
// The composite colour picker: a row of preset swatches, the hue-lightness
// palette, a preview swatch and red, green, blue and hexadecimal fields, all
// kept showing the same colour. Every notification of the parts is passed on
// to the parent unchanged after the parts are brought in step.
#include <array>
#include <string>

#include "uilib/controls/MPanel.h"

namespace tumi {

class CColorButton;
class MEdit;
class MPalette;
class MSpinButton;
class MText;

class CColorPalette : public MPanel {
 public:
  static constexpr unsigned kPaletteId = 620;
  static constexpr unsigned kPreviewId = 622;
  static constexpr unsigned kFirstPresetId = 631;
  static constexpr int kPresetCount = 8;
  static constexpr unsigned kFirstLabelId = 650;
  static constexpr unsigned kFirstSpinId = 654;  // red, green, blue
  static constexpr unsigned kHexId = 657;

  CColorPalette(MObject* parent, unsigned id, const Rect& rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CColorPalette"; }
  void InitControl(PaintManager* manager) override;
  void SetControlRect(const Rect& rect) override;
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;

  ColorRef GetSelectColor() const { return color_; }
  void SetSelectColor(ColorRef color);
  // The strip of the number fields.
  int SetImage(const std::string& name, int frame_count) override;
  // The pointer of the palette's saturation bar.
  int SetThumbImage(const std::string& name);
  void SetTextColor(Argb color) override;
  // Lays the parts out again and repaints them.
  void UpdateControlEx();

 private:
  enum Source { kFromPalette, kFromSpins, kFromHex, kFromSwatch, kFromCaller };
  void Layout();
  // Shows the colour in every part except the one it came from.
  void Apply(ColorRef color, Source source);
  ColorRef SpinColor() const;
  // "rrggbb" (or upper case) into a colour; false for anything else.
  static bool ParseHex(const std::string& text, ColorRef* color);

  std::array<CColorButton*, kPresetCount> presets_{};  // all owned through the child list
  MPalette* palette_ = nullptr;
  CColorButton* preview_ = nullptr;
  std::array<MText*, 4> labels_{};
  std::array<MSpinButton*, 3> spins_{};
  MEdit* hex_ = nullptr;
  ColorRef color_ = 0x00E1FF;
};

}  // namespace tumi
