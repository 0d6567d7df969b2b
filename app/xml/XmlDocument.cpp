#include "app/xml/XmlDocument.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "app/xml/Utf8Text.h"
#include "app/xml/XmlEncoding.h"
#include "app/xml/XmlParser.h"
#include "app/xml/XmlTree.h"

namespace tessaro {

namespace {

// Names the writer can put in a tag without breaking it.
bool IsWritableName(std::string_view name) {
  if (name.empty() || !IsValidUtf8(name)) return false;
  const char first = name.front();
  if ((first >= '0' && first <= '9') || first == '-' || first == '.') return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) <= ' ') return false;
    if (std::string_view("<>&\"'/=?!").find(c) != std::string_view::npos) return false;
  }
  return true;
}

}  // namespace

struct XmlDocument::Impl {
  // The text as set or loaded; the tree is written out instead once edited.
  std::string text;
  XmlTree tree;
  bool edited = false;
  bool syntax_error = false;
  int parent = XmlTree::kDocumentNode;
  int current = XmlTree::kNoNode;
  mutable std::string result;

  void Note(std::string_view note) const {
    if (note.empty()) return;
    if (!result.empty()) result += ' ';
    result += note;
  }

  bool Parse(std::string_view new_text) {
    text = RepairUtf8(new_text);
    // A byte-order mark that came through as a character is no content.
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    const XmlParser::Outcome outcome = XmlParser::Parse(text, tree);
    syntax_error = outcome.syntax_error;
    Note(outcome.notes);
    edited = false;
    parent = XmlTree::kDocumentNode;
    current = XmlTree::kNoNode;
    return WellFormed();
  }

  bool WellFormed() const { return !syntax_error && tree.CountTopLevelElements() == 1; }

  // Edits of a text with a syntax error would drop what the parser could not
  // read when the tree is written, so such a document stays as it is.
  bool Editable() const { return !syntax_error; }
};

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>()) {}
XmlDocument::~XmlDocument() = default;

bool XmlDocument::LoadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes;
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    SetDocument({});
    impl_->result = "file_not_read";
    return false;
  }
  return SetDocumentBytes(bytes);
}

bool XmlDocument::SetDocument(std::string_view text) {
  impl_->result.clear();
  return impl_->Parse(text);
}

bool XmlDocument::SetDocumentBytes(std::string_view bytes) {
  XmlEncoding::Converted decoded = XmlEncoding::Decode(bytes);
  impl_->result = std::move(decoded.notes);
  return impl_->Parse(decoded.text);
}

bool XmlDocument::SaveFile(const std::string& path) const {
  XmlEncoding::Converted encoded = XmlEncoding::Encode(GetDocument());
  impl_->Note(encoded.notes);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(encoded.text.data(), static_cast<std::streamsize>(encoded.text.size()));
  out.close();
  if (!out) {
    impl_->Note("file_not_written");
    return false;
  }
  return true;
}

std::string XmlDocument::GetDocument() const {
  return impl_->edited ? impl_->tree.Write() : impl_->text;
}

bool XmlDocument::FindElement(std::string_view name) {
  const XmlTree& tree = impl_->tree;
  int candidate = impl_->current != XmlTree::kNoNode ? tree.at(impl_->current).next
                                                     : tree.at(impl_->parent).first_child;
  for (; candidate != XmlTree::kNoNode; candidate = tree.at(candidate).next) {
    const XmlTree::Node& node = tree.at(candidate);
    if (node.kind == XmlTree::Kind::kElement && node.name == name) {
      impl_->current = candidate;
      return true;
    }
  }
  return false;
}

bool XmlDocument::IntoElement() {
  if (impl_->current == XmlTree::kNoNode) return false;
  impl_->parent = impl_->current;
  impl_->current = XmlTree::kNoNode;
  return true;
}

bool XmlDocument::OutOfElement() {
  if (impl_->parent == XmlTree::kDocumentNode) return false;
  impl_->current = impl_->parent;
  impl_->parent = impl_->tree.at(impl_->parent).parent;
  return true;
}

void XmlDocument::ResetPosition() {
  impl_->parent = XmlTree::kDocumentNode;
  impl_->current = XmlTree::kNoNode;
}

std::string XmlDocument::GetAttribute(std::string_view name) const {
  if (impl_->current == XmlTree::kNoNode) return {};
  for (const XmlTree::Attribute& attribute : impl_->tree.at(impl_->current).attributes)
    if (attribute.name == name) return attribute.value;
  return {};
}

bool XmlDocument::SetAttribute(std::string_view name, std::string_view value) {
  if (impl_->current == XmlTree::kNoNode || !impl_->Editable() || !IsWritableName(name))
    return false;
  auto& attributes = impl_->tree.at(impl_->current).attributes;
  impl_->edited = true;
  for (XmlTree::Attribute& attribute : attributes) {
    if (attribute.name == name) {
      attribute.value = RepairUtf8(value);
      return true;
    }
  }
  attributes.push_back({std::string(name), RepairUtf8(value)});
  return true;
}

bool XmlDocument::AddElement(std::string_view name, std::string_view text) {
  if (!impl_->Editable() || !IsWritableName(name)) return false;
  XmlTree& tree = impl_->tree;
  XmlTree::Node element;
  element.name = name;
  const int index = impl_->current != XmlTree::kNoNode
                        ? tree.InsertAfter(impl_->current, std::move(element))
                        : tree.Append(impl_->parent, std::move(element));
  if (std::string content = RepairUtf8(text); !content.empty()) {
    XmlTree::Node text_node;
    text_node.kind = XmlTree::Kind::kText;
    text_node.value = std::move(content);
    tree.Append(index, std::move(text_node));
  }
  impl_->current = index;
  impl_->edited = true;
  return true;
}

bool XmlDocument::IsWellFormed() const {
  return impl_->WellFormed();
}

const std::string& XmlDocument::Result() const {
  return impl_->result;
}

}  // namespace tessaro
