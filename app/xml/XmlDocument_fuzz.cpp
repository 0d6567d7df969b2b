// Feeds arbitrary bytes to XmlDocument as a file's content, walks what was
// read with the cursor, edits it and checks the written form: valid UTF-8,
// parsed again without a syntax error, well formed when the input was, and
// written again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/xml/Utf8Text.h"
#include "app/xml/XmlDocument.h"

namespace {

using tessaro::XmlDocument;

constexpr size_t kMostNames = 8;
constexpr int kDeepestWalk = 48;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Element names as they appear in the text: the cursor only finds by name.
std::vector<std::string> ElementNames(std::string_view text) {
  std::vector<std::string> names;
  for (size_t pos = text.find('<'); pos != std::string_view::npos && names.size() < kMostNames;
       pos = text.find('<', pos + 1)) {
    const size_t end = text.find_first_of(" \t\r\n/>=<", pos + 1);
    std::string name(text.substr(pos + 1, end == std::string_view::npos ? end : end - pos - 1));
    if (name.empty() || name[0] == '?' || name[0] == '!') continue;
    bool seen = false;
    for (const std::string& known : names) seen = seen || known == name;
    if (!seen) names.push_back(std::move(name));
  }
  return names;
}

void Walk(XmlDocument& doc, const std::vector<std::string>& names, int depth, bool top) {
  for (const std::string& name : names) {
    while (doc.FindElement(name)) {
      for (const std::string& attribute : names)
        Check(tessaro::IsValidUtf8(doc.GetAttribute(attribute)));
      if (depth < kDeepestWalk && doc.IntoElement()) {
        Walk(doc, names, depth + 1, false);
        Check(doc.OutOfElement());
      }
    }
    // Back to the start of this level.
    if (top) {
      doc.ResetPosition();
    } else {
      Check(doc.OutOfElement());
      Check(doc.IntoElement());
    }
  }
}

// Sets the attribute "fuzz" on the first top-level element found by name.
bool EditRoot(XmlDocument& doc, const std::vector<std::string>& names, std::string_view value,
              std::string* root) {
  doc.ResetPosition();
  for (const std::string& name : names) {
    if (!doc.FindElement(name)) continue;
    *root = name;
    return doc.SetAttribute("fuzz", value);
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  XmlDocument doc;
  const bool well_formed = doc.SetDocumentBytes(bytes);
  Check(well_formed == doc.IsWellFormed());
  const std::string text = doc.GetDocument();
  Check(tessaro::IsValidUtf8(text) && text.find('\0') == std::string::npos);

  const std::vector<std::string> names = ElementNames(text);
  Walk(doc, names, 0, true);

  const std::string_view value = bytes.substr(0, 16);
  std::string root;
  if (!EditRoot(doc, names, value, &root)) return 0;
  doc.IntoElement();
  doc.AddElement("added", value);
  const std::string written = doc.GetDocument();
  Check(tessaro::IsValidUtf8(written));

  XmlDocument again;
  const bool again_well_formed = again.SetDocument(written);
  Check(again_well_formed || !well_formed);
  again.ResetPosition();
  Check(again.FindElement(root));
  // No syntax error in the written form, and writing it again changes nothing.
  Check(again.SetAttribute("fuzz", again.GetAttribute("fuzz")));
  Check(again.GetDocument() == written);
  return 0;
}
