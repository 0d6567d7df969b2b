#include "uilib/controls/TextField.h"

#include <gtest/gtest.h>

#include "uilib/core/MRender.h"
#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"

namespace tumi {
namespace {

namespace vk = platform::vk;
using testing::HeadlessUi;
using testing::RecordingDialog;
using testing::RecordingTextSink;

// The smallest host: draws the field over itself and hands it the mouse.
class FieldHost : public MControl {
 public:
  FieldHost(MObject* parent, const Rect& rect) : MControl(parent, 7, rect, 1, 1, 1) {}
  void InitControl(PaintManager* manager) override {
    field = std::make_unique<TextField>(this, 70, rect_.Inset(4, 4));
    field->SetManager(manager);
    field->SetControlVisible(1);
    field->SetOnChange([this] { ++changes; });
    field->SetOnEnter([this] { ++enters; });
  }
  void DrawControl(cairo_t* cr, const Rect& clip) override {
    MRender::FillSolidRect(cr, rect_, 0x202020);
    field->DrawControl(cr, clip);
  }
  int OnControlLButtonDown(unsigned flags, Point p) override {
    return field->OnControlLButtonDown(flags, p);
  }
  int OnControlMouseMove(unsigned flags, Point p) override {
    return field->OnControlMouseMove(flags, p);
  }
  int OnControlLButtonUp(unsigned flags, Point p) override {
    return field->OnControlLButtonUp(flags, p);
  }
  std::unique_ptr<TextField> field;
  int changes = 0;
  int enters = 0;
};

class TextFieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      host = static_cast<FieldHost*>(
          d.GetPaintManager().AddControl(std::make_unique<FieldHost>(&d, Rect{10, 10, 210, 40})));
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 300, 200});
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.System().SetFocus(dialog.GetSafeHwnd());
    ui.Pump();
  }
  TextField& field() { return *host->field; }
  void Key(int key, int modifier = 0) {
    if (modifier) ui.System().PressKey(modifier);
    ui.System().PressKey(key);
    // Modifiers count as they are when the key's message is handled.
    ui.Pump();
    ui.System().ReleaseKey(key);
    if (modifier) ui.System().ReleaseKey(modifier);
    ui.Pump();
  }
  void Type(const std::string& text) {
    ui.System().TypeText(text);
    ui.Pump();
  }

  HeadlessUi ui;
  RecordingDialog dialog;
  FieldHost* host = nullptr;
};

TEST_F(TextFieldTest, EditingHoldsTheKeyboardUntilItEndsOnce) {
  PaintManager& pm = dialog.GetPaintManager();
  field().SetText("abc");
  Type("x");
  EXPECT_EQ(field().GetText(), "abc");  // not editing: the keys go elsewhere
  field().BeginEdit(false);
  EXPECT_EQ(pm.GetKeyboardOwner(), &field());
  EXPECT_TRUE(ui.System().TextInputActive());
  Type("de");
  Key(vk::kBack);
  Key(vk::kLeft);
  Type("X");
  EXPECT_EQ(field().GetText(), "abcXd");
  EXPECT_EQ(host->changes, 4);
  Key(vk::kReturn);
  EXPECT_EQ(host->enters, 1);
  EXPECT_EQ(pm.GetCurrentCaretObject(), &field());
  EXPECT_TRUE(field().EndEdit());
  EXPECT_FALSE(field().EndEdit());
  EXPECT_EQ(pm.GetKeyboardOwner(), nullptr);
  EXPECT_FALSE(ui.System().TextInputActive());
}

TEST_F(TextFieldTest, ClipboardSelectionAndUndo) {
  field().SetText("hello world");
  field().BeginEdit(true);
  Key('C', vk::kControl);
  EXPECT_EQ(ui.System().ClipboardText(), "hello world");
  Key(vk::kEnd);
  Key(vk::kLeft, vk::kControl);
  ui.System().PressKey(vk::kShift);
  Key(vk::kEnd);
  ui.System().ReleaseKey(vk::kShift);
  EXPECT_EQ(field().Model().SelectedText(), "world");
  Key('X', vk::kControl);
  EXPECT_EQ(field().GetText(), "hello ");
  EXPECT_EQ(ui.System().ClipboardText(), "world");
  Key(vk::kHome);
  Key('V', vk::kControl);
  EXPECT_EQ(field().GetText(), "worldhello ");
  Key('Z', vk::kControl);
  EXPECT_EQ(field().GetText(), "hello ");
  // A password is never copied out.
  field().SetPassword(true);
  ui.System().SetClipboardText("kept");
  Key('A', vk::kControl);
  Key('C', vk::kControl);
  Key('X', vk::kControl);
  EXPECT_EQ(ui.System().ClipboardText(), "kept");
  EXPECT_EQ(field().GetText(), "hello ");
}

TEST_F(TextFieldTest, PasswordAndCompositionAreShownNotStored) {
  RecordingTextSink sink;
  field().SetPassword(true);
  field().SetText("p\xC3\xA4ss");
  field().BeginEdit(false);
  ui.Pump();
  EXPECT_TRUE(sink.Find("\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F\xE2\x97\x8F").has_value());
  field().SetPassword(false);
  field().SetText("ab");
  field().BeginEdit(false);
  ui.System().Compose("\xE3\x81\x8B", 1);
  ui.Pump();
  EXPECT_TRUE(sink.Find("ab\xE3\x81\x8B").has_value());
  EXPECT_EQ(field().GetText(), "ab");
  // The input method commits: the composition ends and the text arrives.
  ui.System().Compose("", 0);
  ui.System().TypeText("\xE6\x97\xA5");
  ui.Pump();
  EXPECT_EQ(field().GetText(), "ab\xE6\x97\xA5");
  EXPECT_TRUE(sink.Find("ab\xE6\x97\xA5").has_value());
}

TEST_F(TextFieldTest, ClickPlacesTheCaretAndDragSelects) {
  field().SetText("abcdefgh");
  field().BeginEdit(false);
  Point origin = field().TextOrigin();
  Rect last = field().Layout().CaretRect(8);
  int middle = origin.y + last.Height() / 2;
  ui.System().MovePointer(dialog.GetSafeHwnd(), {origin.x + 1, middle});
  ui.System().PressButton(dialog.GetSafeHwnd(), platform::MouseButton::kLeft,
                          {origin.x + 1, middle});
  ui.Pump();
  EXPECT_EQ(field().Model().Caret(), 0u);
  ui.System().MovePointer(dialog.GetSafeHwnd(), {origin.x + last.left + 2, middle});
  ui.System().ReleaseButton(dialog.GetSafeHwnd(), platform::MouseButton::kLeft,
                            {origin.x + last.left + 2, middle});
  ui.Pump();
  EXPECT_EQ(field().Model().SelectedText(), "abcdefgh");
}

TEST_F(TextFieldTest, CaretComesBackWhenTheWindowIsActiveAgain) {
  field().SetBackColor(0xFF000000);
  field().BeginEdit(false);
  ui.Pump();
  Rect caret = field().CaretClientRect();
  WindowId id = dialog.GetSafeHwnd();
  // The caret is drawn in the text colour (white) over the black field.
  auto caret_shown = [&] {
    return ((ui.System().ShownPixel(id, {caret.left, caret.top + 2}) >> 16) & 0xFF) > 200;
  };
  EXPECT_TRUE(caret_shown());
  ui.System().DeactivateApp();
  ui.Pump();
  EXPECT_FALSE(caret_shown());
  ui.System().ActivateFromDesktop(id);
  ui.Pump();
  EXPECT_TRUE(caret_shown());
}

TEST_F(TextFieldTest, LongTextScrollsToKeepTheCaretInside) {
  field().BeginEdit(false);
  Type(std::string(60, 'w'));
  Rect caret = field().CaretClientRect();
  EXPECT_GT(field().ScrollOffset().x, 0);
  EXPECT_GE(caret.left, field().GetRect().left);
  EXPECT_LT(caret.left, field().GetRect().right);
  Key(vk::kHome);
  EXPECT_EQ(field().ScrollOffset().x, 0);
  EXPECT_EQ(field().OnControlScroll(1, 1, {}), 0);  // one line: the wheel is not the field's
  // Wrapped lines follow the caret down and the wheel back up.
  field().SetMultiLine(true);
  field().SetText("");
  Type("1\n2\n3\n4\n5\n6");
  int bottom = field().ScrollOffset().y;
  EXPECT_GT(bottom, 0);
  EXPECT_EQ(field().OnControlScroll(1, 0, {}), 1);
  int step = bottom - field().ScrollOffset().y;
  EXPECT_EQ(step, 3 * field().LineHeight());
  for (int i = 0; i < 10; ++i) field().OnControlScroll(1, 0, {});
  EXPECT_EQ(field().ScrollOffset().y, 0);
  EXPECT_EQ(field().OnControlScroll(1, 0, {}), 1);  // at the top, still the field's
}

}  // namespace
}  // namespace tumi
