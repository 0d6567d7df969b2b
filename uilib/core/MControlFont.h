#pragma once
// A control with a title, a font, a text colour, an alignment and a strip
// image of state frames: the base of nearly every concrete control. Every
// control draws in the library-wide font family; the size and style are its
// own.
#include <string>

#include "uilib/core/ImageCache.h"
#include "uilib/core/MControl.h"
#include "uilib/core/TextStyle.h"

namespace tumi {

class MControlFont : public MControl {
 public:
  MControlFont(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
               int visible, int enabled, int response);

  virtual void SetTextFont(const std::string& name) { font_name_ = name; }
  virtual void SetTextColor(Argb color) { text_color_ = color; }
  // A skin strip of frame_count frames side by side; 1 on success, 0 when it
  // cannot be loaded or the control has no paint manager (the old image stays).
  virtual int SetImage(const std::string& name, int frame_count);
  virtual void SetControlTitle(const std::string& title) { title_ = title; }
  virtual std::string GetControlTitle() const { return title_; }

  void SetTitle(const std::string& title);
  std::string GetTitle() const { return GetControlTitle(); }
  void SetAlignment(unsigned horizontal);
  void SetVAlignment(unsigned vertical);
  void SetAlignment(unsigned horizontal, unsigned vertical);
  unsigned GetAlignment() const { return h_align_; }
  unsigned GetVAlignment() const { return v_align_; }
  void SetFont(const std::string& name, int size, int style) {
    font_name_ = name;
    font_size_ = size;
    font_style_ = style;
  }
  void SetFontWidth(int size) { font_size_ = size; }
  int GetFontWidth() const { return font_size_; }
  void SetFontStyle(int style) { font_style_ = style; }
  int GetFontStyle() const { return font_style_; }
  // The weight a native text widget would use: 700 for bold, else 400.
  int GetFontWeight() const { return FontWeightForStyle(font_style_); }
  const std::string& GetTextFont() const { return font_name_; }
  Argb GetTextColor() const { return text_color_; }
  void SetTextRenderingHint(int hint) { rendering_hint_ = hint; }
  // The library-wide family; empty without a paint manager.
  std::string GetFontFamily() const;
  // The font the title is drawn with.
  FontSpec GetFontSpec() const;
  TextFormat GetTextFormat() const;

  void SetImageCount(int count) { frame_count_ = count < 1 ? 1 : count; }
  int GetImageCount() const { return frame_count_; }
  Size GetImageSize() const { return {frame_width_, frame_height_}; }
  const std::string& GetImagePath() const { return image_path_; }
  const ImgResInfo* GetImageInfo() const { return image_; }

 protected:
  // Draws the title in the box with the control's font, colour and alignment.
  void DrawTitle(cairo_t* cr, const Rect& box, Argb color) const;
  // Draws frame `frame` of the strip image scaled into the box.
  void DrawFrame(cairo_t* cr, int frame, const Rect& box) const;

  std::string title_;
  std::string font_name_;
  std::string image_path_;
  int font_size_;
  Argb text_color_ = 0xFFFFFFFF;
  int font_style_ = kFontRegular;
  unsigned h_align_ = kAlignLeft;
  unsigned v_align_ = kAlignVCenter;
  int rendering_hint_ = 5;
  const ImgResInfo* image_ = nullptr;  // owned by the paint manager's image cache
  int frame_width_ = 0;
  int frame_height_ = 0;
  int frame_count_ = 4;
};

}  // namespace tumi
