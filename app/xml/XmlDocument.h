#pragma once
// The in-memory XML document through which every XML file of the program is
// read and written. It is navigated with a cursor one nesting level at a time:
//
//   doc.FindElement("config"); doc.IntoElement();
//   while (doc.FindElement("keyboard")) { doc.GetAttribute("name"); ... }
//
// Text is UTF-8 in memory. Files are decoded from their byte-order mark, their
// declared encoding or, failing both, UTF-8 when valid and WINDOWS-1252
// otherwise. Saved files have a fixed written form: the declaration line, one
// element per line, "\r\n" line ends, no indentation, "/>" right after the name
// or the last attribute of an empty element, and no byte-order mark.
#include <memory>
#include <string>
#include <string_view>

namespace tessaro {

class XmlDocument {
 public:
  // The declaration a new document starts with.
  static constexpr std::string_view kUtf8Declaration =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

  XmlDocument();
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  // Reads and parses the file; cursor at the top. True only when the file was
  // read and the document is well formed; an ill-formed document is still held.
  bool LoadFile(const std::string& path);
  // Replaces the document with the text (UTF-8) and parses it; cursor at the
  // top. True when the result is well formed.
  bool SetDocument(std::string_view text);
  // Decodes raw file bytes as LoadFile does, then SetDocument.
  bool SetDocumentBytes(std::string_view bytes);
  // Writes the document in the encoding its declaration names (UTF-8 when none),
  // without a byte-order mark; the file is created or truncated.
  bool SaveFile(const std::string& path) const;
  // The document text in its written form, UTF-8.
  std::string GetDocument() const;

  // Moves to the next sibling named exactly so (after the current element, or
  // from the current parent's first child). False, cursor unchanged, when none.
  bool FindElement(std::string_view name);
  // The current element becomes the parent; no current element. False when
  // there is no current element.
  bool IntoElement();
  // The parent becomes the current element again. False at the top level.
  bool OutOfElement();
  void ResetPosition();

  // The current element's attribute with entities decoded; empty when missing.
  std::string GetAttribute(std::string_view name) const;
  // Sets or appends the attribute of the current element. False without one.
  bool SetAttribute(std::string_view name, std::string_view value);
  // Adds an element after the current one (after the last child when there is
  // none) and makes it current. Optional text content is escaped.
  bool AddElement(std::string_view name, std::string_view text = {});

  bool IsWellFormed() const;
  // Notes of the last load and parse (encoding found, conversions, syntax
  // errors such as "root_has_sibling"); for diagnostics only.
  const std::string& Result() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tessaro
