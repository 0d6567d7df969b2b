#include "uilib/controls/CSpinButton.h"

#include <algorithm>
#include <climits>

#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/SkinPath.h"

namespace tumi {

namespace {

constexpr int kArrowFrames = 4;
constexpr int kArrowEdgeGap = 4;
constexpr int kTextEndGap = 15;
constexpr unsigned kSpinStyle = 0x102080;  // one line, digits only
constexpr Argb kSpinTextColor = 0xFE050505;

std::shared_ptr<Image> LoadSkin(const std::string& name) {
  return MRender::LoadImageFromFile(
      SkinPath::ResolveCase(SkinPath::Join(Manager::GetSkinFolder(), name)));
}

// Leading digits; saturates instead of overflowing.
long ParseValue(const std::string& text) {
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value > (LONG_MAX - 9) / 10 ? LONG_MAX : value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

CSpinButton::CSpinButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                         int visible, int enabled)
    : MRichEdit(parent, id, rect, title, visible, enabled) {
  SetWinStyle(kSpinStyle);
  SetTextColor(kSpinTextColor);
  value_ =
      std::clamp(static_cast<int>(std::min<long>(ParseValue(title), INT_MAX)), minimum_, maximum_);
  Pad();
  Show();
}

void CSpinButton::InitControl(PaintManager* manager) {
  MRichEdit::InitControl(manager);
  up_ = LoadSkin("img_spin_up.png");
  down_ = LoadSkin("img_spin_down.png");
  if (!enabled_) SetArrowStates(3, 3);
}

void CSpinButton::Pad() {
  padding_.right = std::max(padding_.right, kTextEndGap);
  PlaceField();
}

void CSpinButton::SetControlRect(const Rect& rect) {
  MRichEdit::SetControlRect(rect);
  Pad();
}

Rect CSpinButton::ArrowRect(unsigned arrow) const {
  const std::shared_ptr<Image>& image = arrow == kUpId ? up_ : down_;
  int width = image ? image->Width() / kArrowFrames : 16;
  int height = image ? image->Height() : 12;
  int right = rect_.right - kArrowEdgeGap;
  int centre = rect_.top + rect_.Height() / 2;
  if (arrow == kUpId) return Rect{right - width, centre - 1 - height, right, centre - 1};
  return Rect{right - width, centre + 1, right, centre + 1 + height};
}

unsigned CSpinButton::ArrowAt(Point p) const {
  if (ArrowRect(kUpId).Contains(p)) return kUpId;
  if (ArrowRect(kDownId).Contains(p)) return kDownId;
  return 0;
}

void CSpinButton::SetArrowStates(int up, int down) {
  if (up == up_state_ && down == down_state_) return;
  up_state_ = up;
  down_state_ = down;
  UpdateControl(0, 0);
}

void CSpinButton::SetCurValue(int value) {
  value_ = std::clamp(value, minimum_, maximum_);
  Show();
}

void CSpinButton::SetRange(int minimum, int maximum) {
  if (maximum < minimum) std::swap(minimum, maximum);
  minimum_ = minimum;
  maximum_ = maximum;
  SetCurValue(value_);
}

void CSpinButton::Show() {
  std::string text = std::to_string(value_);
  if (text != GetText()) SetText(text);
}

void CSpinButton::Step(int delta) {
  long next = static_cast<long>(value_) + delta;
  if (next > maximum_) next = minimum_;
  if (next < minimum_) next = maximum_;
  value_ = static_cast<int>(next);
  Show();
  SendMessageW(kNotifySpinChanged);
}

void CSpinButton::OnTextChanged() {
  long typed = ParseValue(GetText());
  value_ = static_cast<int>(std::clamp<long>(typed, minimum_, maximum_));
  std::string shown = std::to_string(value_);
  if (shown != GetText()) {
    field_->SetText(shown);
    title_ = shown;
  }
}

void CSpinButton::SetControlEnabled(int enabled) {
  MRichEdit::SetControlEnabled(enabled);
  up_state_ = down_state_ = enabled ? 0 : 3;
}

int CSpinButton::OnControlMouseMove(unsigned flags, Point p) {
  if (enabled_ && !pressed_) {
    unsigned over = ArrowAt(p);
    SetArrowStates(over == kUpId ? 1 : 0, over == kDownId ? 1 : 0);
  }
  return MRichEdit::OnControlMouseMove(flags, p);
}

int CSpinButton::OnControlLButtonDown(unsigned flags, Point p) {
  if (!enabled_) return 0;
  unsigned arrow = ArrowAt(p);
  if (!arrow) return MRichEdit::OnControlLButtonDown(flags, p);
  pressed_ = arrow;
  SetArrowStates(arrow == kUpId ? 2 : 0, arrow == kDownId ? 2 : 0);
  return 1;
}

int CSpinButton::OnControlLButtonUp(unsigned flags, Point p) {
  if (!pressed_) return MRichEdit::OnControlLButtonUp(flags, p);
  unsigned arrow = pressed_;
  pressed_ = 0;
  bool inside = ArrowAt(p) == arrow;
  SetArrowStates(inside && arrow == kUpId ? 1 : 0, inside && arrow == kDownId ? 1 : 0);
  if (inside) Step(arrow == kUpId ? 1 : -1);
  return 1;
}

void CSpinButton::DrawControl(cairo_t* cr, const Rect& clip) {
  MRichEdit::DrawControl(cr, clip);
  for (unsigned arrow : {kUpId, kDownId}) {
    const std::shared_ptr<Image>& image = arrow == kUpId ? up_ : down_;
    if (!image) continue;
    int width = image->Width() / kArrowFrames;
    int frame = std::clamp(ArrowState(arrow), 0, kArrowFrames - 1);
    MRender::DrawImage(cr, *image, ArrowRect(arrow),
                       Rect::FromSize(frame * width, 0, width, image->Height()));
  }
}

}  // namespace tumi
