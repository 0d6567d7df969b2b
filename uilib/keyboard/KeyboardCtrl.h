#pragma once
// The keyboard picture: the skin's picture of the keyboard with one clickable
// item per key laid over it. One class serves every page, switched by a
// drawing mode: picking keys (outlines), previewing a light effect, painting
// per-key colours, and showing colours that the light engines drive.
//
// Thread rule: the device worker recolours keys while the UI thread draws and
// the dialog timer's thread steps the preview, so the key list, checks,
// colours and preview data live under the item lock. Repaint requests are
// made only after the lock is released: the window may draw (and take the
// lock) before the request returns.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "uilib/controls/MPanel.h"
#include "uilib/keyboard/CKeyboardTips.h"
#include "uilib/keyboard/KEY_INFO.h"

namespace tumi {

enum KeyboardCtrlMode : int {
  kKeyboardModeKeys = 100,     // keys as filled boxes, no picture
  kKeyboardModeSelect = 101,   // picture; checked, hovered and selected keys outlined
  kKeyboardModePreview = 102,  // picture; every key outlined with the preview's alpha
  kKeyboardModePaint = 103,    // picture; key colours, a click paints
  kKeyboardModeMusic = 104,    // picture; key colours from the light engines
};

class KeyboardCtrl : public MPanel {
 public:
  // Outline colours and geometry of the picture modes.
  static constexpr Argb kKeyFill = 0xFF007ACC;
  static constexpr Argb kSelectOutline = 0xFFFF7D00;
  static constexpr Argb kFrameSelectPen = 0xFF4CFF29;
  static constexpr Argb kTextColor = 0xFFFFFFFF;
  static constexpr Argb kTextShadow = 0xFF505050;
  static constexpr int kOutlineDivisor = 12;
  static constexpr double kOutlineWidth = 2.0;
  // A drag starts or grows the frame only after this many pixels, and a frame
  // narrower or lower than kMinFrame selects nothing.
  static constexpr int kFrameStep = 20;
  static constexpr int kMinFrame = 6;

  static constexpr const char* kTipsTitle = "KeyboardTip Window";
  static constexpr const char* kTipsBackground = "img_tip_bk.png";

  KeyboardCtrl(MObject* parent, unsigned id, const Rect& rect, int visible);
  ~KeyboardCtrl() override;

  const char* GetClassNameW() const override { return "KeyboardCtrl"; }

  // The picture: a skin file (layouts keep theirs below keyboard/); false
  // leaves none.
  bool SetKeyboardImage(const std::string& file);
  void SetWidthAndHeight(int width, int height);
  // Appends a key; the icon is a skin file or empty. The new key's index.
  int AddKeyItem(const std::string& name, const std::string& description, uint32_t value,
                 const Rect& rect, const std::string& icon_file);
  void ClearItem();
  // The keys stay owned by the control.
  std::vector<KEY_INFO*> GetKeyItems() const;
  int GetKeyCount() const;

  void SetKeyboardCtrlMode(int mode);
  int GetKeyboardCtrlMode() const { return mode_.load(); }
  // One byte per key per frame, frame after frame; an incomplete last frame
  // is dropped.
  void SetLightModeData(const uint8_t* data, int length);
  void SetLightSpeed(int speed);
  int GetPreviewFrameCount() const;
  int GetPreviewFrame() const;
  int GetTicksPerFrame() const;

  // An index outside the key list selects nothing (-1).
  void SetSelectItem(int index);
  int GetSelectItem() const;
  int GetHoverItem() const;
  int GetCheckItemCount() const;
  void SetAllSelectColor(ColorRef color);
  void SetCustomColor(ColorRef color);
  ColorRef GetCustomColor() const;
  void ResetAllItemCheck();
  void ResetAllItemCheck(int check);
  void ResetAllItemsColor(ColorRef color);
  void SetLightModeColor(bool white, ColorRef color);
  void SetMusicBrightness(int brightness);

  // Per-key operations act on the first key with the value. SetKeyColor and
  // SetKeyCheck do not repaint: the caller repaints after a batch.
  void SetKeyColor(uint32_t value, ColorRef color);
  ColorRef GetKeyColor(uint32_t value) const;
  void SetKeyCheck(uint32_t value, int check);
  void SetKeyDesc(uint32_t value, const std::string& text);
  void SetTipKey(uint32_t value, const std::string& line1, const std::string& line2);
  void ResetTipKey();

  void EnableFrameSelect(bool enable) { frame_select_ = enable; }
  void EnableKBTips(bool enable) { tips_enabled_ = enable; }
  uint32_t GetCurrentKeyValue() const { return current_value_; }

  // Shows the key's tip above the key (window coordinates), or hides it.
  void SetTips(const KEY_INFO* key, const Rect& key_rect, bool show);
  // Made on the first tip; null before.
  CKeyboardTips* GetTipsWindow() const { return tips_.get(); }

  // A picture rectangle in control coordinates.
  Rect GetRealRect(const Rect& rect) const;
  Point GetPictureOffset() const { return {offset_x_, offset_y_}; }

  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlRect(const Rect& rect) override;
  void SetControlVisible(int visible) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlLButtonDblClk(unsigned flags, Point p) override;
  int OnControlRButtonDown(unsigned flags, Point p) override;
  int OnControlRButtonUp(unsigned flags, Point p) override;

 private:
  // Rubber-band selection: where the drag started, where it was last
  // applied, and whether a frame is being drawn.
  struct FrameSelect {
    bool selecting = false;
    Point start;
    Point current;
  };

  // Callers hold items_lock_.
  KEY_INFO* FindKey(uint32_t value) const;
  bool ValidIndex(int index) const { return index >= 0 && index < static_cast<int>(keys_.size()); }
  Rect KeyWindowRect(const KEY_INFO& key) const;
  int KeyAt(Point p) const;
  uint8_t PreviewAlpha(int key_index) const;
  Rect FrameRect() const;
  void ApplyFrameSelection();

  void Repaint() { UpdateControl(1, 0); }
  void LayOutPicture();
  void ClearFrameSelect() { frame_ = FrameSelect{}; }
  void ShowTipFor(int index);
  void HideTip();

  void DrawPicture(cairo_t* cr) const;
  void DrawKeysMode(cairo_t* cr) const;
  void DrawSelectMode(cairo_t* cr) const;
  void DrawPreviewMode(cairo_t* cr) const;
  void DrawColourMode(cairo_t* cr) const;
  void DrawKeyFace(cairo_t* cr, const KEY_INFO& key, const Rect& box, const FontSpec& font) const;
  void DrawOutline(cairo_t* cr, const Rect& box, Argb color) const;
  void DrawFrameRect(cairo_t* cr) const;

  mutable std::recursive_mutex items_lock_;
  std::vector<std::unique_ptr<KEY_INFO>> keys_;
  std::atomic<uint32_t> current_value_{0};
  ColorRef custom_color_ = 0x0000FF;
  bool tips_enabled_ = false;
  int hovered_ = -1;
  int selected_ = -1;
  std::atomic<int> mode_{kKeyboardModeKeys};
  int offset_x_ = 6;
  int offset_y_ = 6;
  int picture_width_ = 0;
  int picture_height_ = 0;
  double scale_ = 1.0;
  std::shared_ptr<const Image> picture_;

  std::vector<uint8_t> preview_;
  int preview_frames_ = 0;
  int preview_frame_ = 0;
  int ticks_ = 0;
  int ticks_per_frame_ = 1;
  int music_brightness_ = 255;

  bool frame_select_ = false;
  FrameSelect frame_;

  std::unique_ptr<CKeyboardTips> tips_;
};

}  // namespace tumi
