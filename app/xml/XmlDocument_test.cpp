#include "app/xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

// A file in a fresh temporary folder, removed with the fixture.
class TempFile {
 public:
  TempFile() {
    folder_ = fs::temp_directory_path() / ("tessaro_xml_" + std::to_string(std::random_device()()));
    fs::create_directories(folder_);
  }
  ~TempFile() { fs::remove_all(folder_); }
  std::string path() const { return (folder_ / "document.xml").string(); }
  void Write(const std::string& bytes) const { std::ofstream(path(), std::ios::binary) << bytes; }
  std::string Read() const {
    std::ifstream in(path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  fs::path folder_;
};

std::string Utf16Bytes(std::u16string_view text, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

TEST(XmlDocument, SavesTheWrittenFormByteForByte) {
  XmlDocument doc;
  doc.SetDocument(XmlDocument::kUtf8Declaration);
  ASSERT_TRUE(doc.AddElement("config"));
  doc.SetAttribute("version", "1");
  doc.IntoElement();
  doc.AddElement("keyboard");
  doc.SetAttribute("name", "first");
  doc.SetAttribute("id", "2");
  doc.SetAttribute("name", "Q & \"7\" <'x'>");  // set again: keeps its place
  doc.AddElement("caption", "Fn < 5 & >");
  doc.AddElement("modes");
  doc.IntoElement();
  doc.AddElement("mode");
  doc.SetAttribute("id", "0");
  doc.ResetPosition();
  doc.FindElement("config");
  doc.IntoElement();
  doc.FindElement("keyboard");
  doc.AddElement("inserted");  // right after the current element
  EXPECT_TRUE(doc.IsWellFormed());

  TempFile file;
  ASSERT_TRUE(doc.SaveFile(file.path()));
  EXPECT_EQ(file.Read(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<config version=\"1\">\r\n"
            "<keyboard name=\"Q &amp; &quot;7&quot; &lt;&apos;x&apos;&gt;\" id=\"2\"/>\r\n"
            "<inserted/>\r\n"
            "<caption>Fn &lt; 5 &amp; &gt;</caption>\r\n"
            "<modes>\r\n"
            "<mode id=\"0\"/>\r\n"
            "</modes>\r\n"
            "</config>\r\n");
}

TEST(XmlDocument, AttributeValuesSurviveSaveAndReload) {
  const std::string values[] = {
      "a & b",        "\"quoted\"", "<tag attr='x'>", "&amp; stays literal", "line\r\nbreak\ttab",
      "Grüße 中文 😀", "",
  };
  XmlDocument doc;
  doc.SetDocument(XmlDocument::kUtf8Declaration);
  doc.AddElement("root");
  doc.IntoElement();
  for (const std::string& value : values) {
    doc.AddElement("item", value);
    doc.SetAttribute("value", value);
  }
  TempFile file;
  ASSERT_TRUE(doc.SaveFile(file.path()));

  XmlDocument loaded;
  ASSERT_TRUE(loaded.LoadFile(file.path())) << loaded.Result();
  loaded.FindElement("root");
  loaded.IntoElement();
  for (const std::string& value : values) {
    ASSERT_TRUE(loaded.FindElement("item"));
    EXPECT_EQ(loaded.GetAttribute("value"), value);
  }
  // Saved again unchanged after an edit: the same bytes.
  loaded.SetAttribute("value", "");
  loaded.SetAttribute("value", values[std::size(values) - 1]);
  EXPECT_EQ(loaded.GetDocument(), doc.GetDocument());
}

TEST(XmlDocument, DecodesBytesByMarkDeclarationOrContent) {
  const std::u16string utf16 =
      u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<root name=\"Grüße 中文 😀\"/>\r\n";
  struct Case {
    const char* label;
    std::string bytes;
    std::string name;
  };
  const Case cases[] = {
      {"utf-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><root name=\"Grüße 中文 😀\"/>",
       "Grüße 中文 😀"},
      {"utf-8 mark", "\xEF\xBB\xBF<root name=\"Grüße 中文 😀\"/>", "Grüße 中文 😀"},
      {"utf-16le mark", Utf16Bytes(utf16, false), "Grüße 中文 😀"},
      {"utf-16be mark", Utf16Bytes(utf16, true), "Grüße 中文 😀"},
      {"utf-16le unmarked", Utf16Bytes(utf16, false).substr(2), "Grüße 中文 😀"},
      {"gb2312", "<?xml version=\"1.0\" encoding=\"gb2312\"?><root name=\"\xD6\xD0\xCE\xC4\"/>",
       "中文"},
      {"windows-1252",
       "<?xml version='1.0' encoding='Windows-1252'?><root name=\"Gr\xFC\xDF\x65 \x80\"/>",
       "Grüße €"},
      {"shift_jis",
       "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><root name=\"\x93\xfa\x96\x7b\"/>", "日本"},
      {"undeclared ansi", "<root name=\"caf\xE9\"/>", "café"},
      {"utf-8 claimed, ansi given",
       "<?xml version=\"1.0\" encoding=\"utf-8\"?><root name=\"caf\xE9\"/>", "café"},
      {"utf-8 damaged", "<?xml version=\"1.0\" encoding=\"utf-8\"?><root name=\"中\xFF\"/>",
       "中\xEF\xBF\xBD"},
      {"unknown encoding", "<?xml version=\"1.0\" encoding=\"x-nonsense\"?><root name=\"é\"/>",
       "é"},
      {"nul removed", std::string("<ro\0ot name=\"a\0b\"/>", 20), "ab"},
  };
  for (const Case& c : cases) {
    XmlDocument doc;
    EXPECT_TRUE(doc.SetDocumentBytes(c.bytes)) << c.label << ": " << doc.Result();
    EXPECT_TRUE(doc.FindElement("root")) << c.label;
    EXPECT_EQ(doc.GetAttribute("name"), c.name) << c.label << ": " << doc.Result();
  }

  TempFile file;
  file.Write(Utf16Bytes(utf16, false));
  XmlDocument doc;
  ASSERT_TRUE(doc.LoadFile(file.path()));
  doc.FindElement("root");
  EXPECT_EQ(doc.GetAttribute("name"), "Grüße 中文 😀");
}

TEST(XmlDocument, SavesInTheDeclaredEncoding) {
  XmlDocument doc;
  doc.SetDocument("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n");
  doc.AddElement("root");
  doc.SetAttribute("name", "€ü中");
  TempFile file;
  ASSERT_TRUE(doc.SaveFile(file.path()));
  EXPECT_EQ(file.Read(),
            "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<root name=\"\x80\xFC?\"/>\r\n");
  EXPECT_NE(doc.Result().find("conversion_loss"), std::string::npos);

  XmlDocument loaded;
  ASSERT_TRUE(loaded.LoadFile(file.path()));
  loaded.FindElement("root");
  EXPECT_EQ(loaded.GetAttribute("name"), "€ü?");
}

TEST(XmlDocument, RefusesIllFormedDocumentsButHoldsTheirText) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"<a/><b/>", "root_has_sibling"},
      {"<?xml version=\"1.0\"?>\r\n", "no_root_element"},
      {"", "no_root_element"},
      {"<a><b</a>", "unterminated_tag_syntax"},
      {"<a attr=\"x></a>", "unterminated_tag_syntax"},
      {"<a><!-- open</a>", "comment_tag_syntax"},
      {"<a><![CDATA[open</a>", "cdata_section_syntax"},
      {"<!DOCTYPE a [<a/>", "doctype_tag_syntax"},
      {"<a></b>", "lone_end_tag"},
      {"<a/></a>", "lone_end_tag"},
      {"<a><b/>", "unended_start_tag"},
      {"<a>< b/></a>", "first_tag_syntax"},
  };
  for (const Case& c : cases) {
    XmlDocument doc;
    EXPECT_FALSE(doc.SetDocument(c.text)) << c.text;
    EXPECT_FALSE(doc.IsWellFormed()) << c.text;
    EXPECT_NE(doc.Result().find(c.error), std::string::npos) << c.text << ": " << doc.Result();
    EXPECT_EQ(doc.GetDocument(), c.text);
  }

  // Edits would lose the unread rest of a broken text.
  XmlDocument broken;
  broken.SetDocument("<a><b</a>");
  EXPECT_FALSE(broken.AddElement("c"));
  EXPECT_EQ(broken.GetDocument(), "<a><b</a>");

  XmlDocument missing;
  EXPECT_FALSE(missing.LoadFile("/nonexistent/tessaro.xml"));
  EXPECT_FALSE(missing.FindElement("config"));
}

TEST(XmlDocument, CursorWalksNestedListsOneLevelAtATime) {
  XmlDocument doc;
  ASSERT_TRUE(
      doc.SetDocument("<config>\n"
                      "  <keyboard name=\"k1\"><mode id=\"0\"/><skip/><mode id=\"1\"/></keyboard>\n"
                      "  <other/>\n"
                      "  <keyboard name=\"k2\"><mode id=\"5\"/></keyboard>\n"
                      "</config>\n"));
  EXPECT_FALSE(doc.OutOfElement());
  EXPECT_FALSE(doc.IntoElement());
  EXPECT_FALSE(doc.FindElement("keyboard"));  // only deeper
  ASSERT_TRUE(doc.FindElement("config"));
  ASSERT_TRUE(doc.IntoElement());
  EXPECT_FALSE(doc.FindElement("mode"));  // only deeper; cursor stays before k1

  std::string walk;
  while (doc.FindElement("keyboard")) {
    walk += doc.GetAttribute("name") + ":";
    doc.IntoElement();
    while (doc.FindElement("mode")) walk += doc.GetAttribute("id");
    EXPECT_TRUE(doc.OutOfElement());
    walk += ";";
  }
  EXPECT_EQ(walk, "k1:01;k2:5;");
  EXPECT_EQ(doc.GetAttribute("name"), "k2");  // a failed search leaves the cursor
  EXPECT_EQ(doc.GetAttribute("missing"), "");
  EXPECT_FALSE(doc.FindElement("other"));  // siblings before the current one are behind

  EXPECT_TRUE(doc.OutOfElement());
  EXPECT_FALSE(doc.OutOfElement());
  doc.ResetPosition();
  EXPECT_EQ(doc.GetAttribute("name"), "");
  EXPECT_TRUE(doc.FindElement("config"));
}

TEST(XmlDocument, EditingALoadedDocumentKeepsItsContent) {
  XmlDocument doc;
  ASSERT_TRUE(
      doc.SetDocument("<?xml version='1.0' encoding='UTF-8'?>\n<!-- note -->\n"
                      "<root a='1'>\n  <x>t &amp; u</x>\n  <y><![CDATA[<raw>]]></y>\n"
                      "  <p>mixed <b>bold</b> text</p>\n  <e>  </e>\n</root>\n"));
  doc.FindElement("root");
  doc.IntoElement();
  doc.AddElement("z");
  EXPECT_EQ(doc.GetDocument(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- note -->\r\n"
            "<root a=\"1\">\r\n<x>t &amp; u</x>\r\n<y><![CDATA[<raw>]]></y>\r\n"
            "<p>mixed <b>bold</b> text</p>\r\n<e>  </e>\r\n<z/>\r\n</root>\r\n");
  EXPECT_TRUE(doc.IsWellFormed());
}

}  // namespace
}  // namespace tessaro
