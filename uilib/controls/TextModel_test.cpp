#include "uilib/controls/TextModel.h"

#include <gtest/gtest.h>

namespace tumi {
namespace {

struct InsertCase {
  const char* name;
  TextRules rules;
  const char* before;  // the caret at its end
  const char* input;
  const char* after;
  bool changed;
};

TEST(TextModelTest, InsertFollowsTheRules) {
  TextRules plain;
  TextRules limit5{5, false, false, false};
  TextRules digits{0, true, false, false};
  TextRules multi{0, false, true, false};
  TextRules read_only{0, false, false, true};
  const InsertCase cases[] = {
      {"plain", plain, "ab", "c", "abc", true},
      {"limit cuts pasted text", limit5, "abc", "defg", "abcde", true},
      {"limit refuses at the end", limit5, "abcde", "f", "abcde", false},
      // U+1F600 takes two UTF-16 units: one free unit is not enough for it.
      {"limit never splits a character", limit5, "abcd", "\xF0\x9F\x98\x80", "abcd", false},
      {"limit counts UTF-16 units", limit5, "abc", "\xF0\x9F\x98\x80", "abc\xF0\x9F\x98\x80", true},
      {"two-byte letters are one unit", limit5, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "xy",
       "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9x", true},
      {"digits only keeps the digits", digits, "1", "a2b3", "123", true},
      {"digits only refuses a letter", digits, "1", "x", "1", false},
      {"one line ends at the first break", plain, "", "first\r\nsecond", "first", true},
      {"many lines normalise breaks", multi, "", "a\r\nb\rc\n", "a\nb\nc\n", true},
      {"control characters are dropped", plain, "",
       "a\x01\x7F"
       "b",
       "ab", true},
      {"malformed bytes are dropped", plain, "",
       "a\xFF\xC3"
       "b",
       "ab", true},
      {"read-only refuses", read_only, "x", "y", "x", false},
  };
  for (const InsertCase& c : cases) {
    TextModel model;
    model.SetRules(c.rules);
    model.SetText(c.before);
    EXPECT_EQ(model.Insert(c.input), c.changed) << c.name;
    EXPECT_EQ(model.Text(), c.after) << c.name;
    EXPECT_EQ(model.Caret(), model.Text().size()) << c.name;
  }
}

TEST(TextModelTest, SelectionIsReplacedAndLimitCountsWhatStays) {
  TextModel model;
  model.SetRules({4, false, false, false});
  model.SetText("abcd");
  model.Select(1, 3);
  EXPECT_EQ(model.SelectedText(), "bc");
  EXPECT_TRUE(model.Insert("XYZ"));
  EXPECT_EQ(model.Text(), "aXYd");
  EXPECT_EQ(model.Caret(), 3u);
  // Positions inside a character move back to its start.
  model.SetText("\xC3\xA9x");
  model.Select(1, 1);
  EXPECT_EQ(model.Caret(), 0u);
}

TEST(TextModelTest, UndoTakesBackTheLastEditAndRedoesOnSecondUndo) {
  TextModel model;
  model.SetText("x");
  EXPECT_FALSE(model.CanUndo());
  for (char c : std::string("yz")) model.Insert(std::string(1, c), true);
  EXPECT_EQ(model.Text(), "xyz");
  // Keystrokes in a row are one step.
  EXPECT_TRUE(model.Undo());
  EXPECT_EQ(model.Text(), "x");
  EXPECT_TRUE(model.Undo());
  EXPECT_EQ(model.Text(), "xyz");
  // A move ends the run: the next keystroke is a step of its own.
  model.MoveTo(0, false);
  model.Insert("a", true);
  model.Undo();
  EXPECT_EQ(model.Text(), "xyz");
  EXPECT_EQ(model.Caret(), 0u);
  // A deletion is its own step, and a new text forgets the step.
  model.MoveTo(3, false);
  model.DeleteBackward();
  model.Undo();
  EXPECT_EQ(model.Text(), "xyz");
  model.SetText("new");
  EXPECT_FALSE(model.Undo());
}

TEST(TextModelTest, DeletionAndWordMotion) {
  TextModel model;
  model.SetText("one two  three");
  EXPECT_EQ(model.PrevWord(model.Text().size()), 9u);
  EXPECT_EQ(model.PrevWord(9), 4u);
  EXPECT_EQ(model.NextWord(0), 4u);
  EXPECT_EQ(model.NextWord(4), 9u);
  EXPECT_TRUE(model.DeleteBackward(true));
  EXPECT_EQ(model.Text(), "one two  ");
  model.MoveTo(0, false);
  EXPECT_TRUE(model.DeleteForward(true));
  EXPECT_EQ(model.Text(), "two  ");
  EXPECT_FALSE(model.DeleteBackward());  // at the start
  model.MoveTo(100, false);
  EXPECT_FALSE(model.DeleteForward());  // at the end
  model.SetText(
      "a \xE2\x82\xAC"
      "b c");
  model.SelectWordAt(3);
  EXPECT_EQ(model.SelectedText(),
            "\xE2\x82\xAC"
            "b");
  model.MoveTo(model.Text().size(), false);
  model.DeleteBackward();
  model.DeleteBackward();
  model.DeleteBackward();
  EXPECT_EQ(model.Text(), "a \xE2\x82\xAC");
  model.DeleteBackward();
  EXPECT_EQ(model.Text(), "a ");
}

TEST(TextModelTest, Utf16Offsets) {
  TextModel model;
  model.SetText(
      "a\xF0\x9F\x98\x80"
      "b");
  EXPECT_EQ(TextModel::Utf16Length(model.Text()), 4);
  EXPECT_EQ(model.Utf16Offset(5), 3);
  EXPECT_EQ(model.ByteOffset(3), 5u);
  EXPECT_EQ(model.ByteOffset(2), 1u);  // never inside the pair
  EXPECT_EQ(model.ByteOffset(99), model.Text().size());
}

}  // namespace
}  // namespace tumi
