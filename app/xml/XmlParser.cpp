#include "app/xml/XmlParser.h"

#include <pugixml.hpp>

#include <utility>

#include "app/xml/Utf8Text.h"

namespace tessaro {

namespace {

// Values come back exactly as written: no end-of-line or attribute white-space
// normalisation, and white-space text is kept (the tree tells layout from
// content when it writes).
constexpr unsigned kParseOptions = pugi::parse_escapes | pugi::parse_cdata | pugi::parse_comments |
                                   pugi::parse_pi | pugi::parse_declaration | pugi::parse_doctype |
                                   pugi::parse_ws_pcdata;

bool IsEndTagName(std::string_view text, size_t offset) {
  return offset >= 2 && offset <= text.size() && text.substr(offset - 2, 2) == "</";
}

std::string_view ErrorName(const pugi::xml_parse_result& result, std::string_view text) {
  switch (result.status) {
    case pugi::status_ok:
    case pugi::status_no_document_element:
      return {};
    case pugi::status_bad_comment:
      return "comment_tag_syntax";
    case pugi::status_bad_cdata:
      return "cdata_section_syntax";
    case pugi::status_bad_doctype:
      return "doctype_tag_syntax";
    case pugi::status_unrecognized_tag:
      return "first_tag_syntax";
    case pugi::status_end_element_mismatch:
      // The offset points at the name of an end tag that matches no open
      // element, or at the end of the text when an element was never closed.
      return IsEndTagName(text, static_cast<size_t>(result.offset)) ? "lone_end_tag"
                                                                    : "unended_start_tag";
    case pugi::status_bad_start_element:
    case pugi::status_bad_attribute:
    case pugi::status_bad_end_element:
    case pugi::status_bad_pi:
    case pugi::status_bad_pcdata:
      return "unterminated_tag_syntax";
    default:
      return "parse_failed";
  }
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// Entity references can decode to what UTF-8 cannot hold (&#xD800;).
std::string Clean(const char* text) {
  return RepairUtf8(text);
}

bool Convert(const pugi::xml_node& source, XmlTree::Node& node) {
  switch (source.type()) {
    case pugi::node_element:
      node.kind = XmlTree::Kind::kElement;
      break;
    case pugi::node_pcdata:
      node.kind = XmlTree::Kind::kText;
      break;
    case pugi::node_cdata:
      node.kind = XmlTree::Kind::kCData;
      break;
    case pugi::node_comment:
      node.kind = XmlTree::Kind::kComment;
      break;
    case pugi::node_pi:
      node.kind = XmlTree::Kind::kProcessing;
      break;
    case pugi::node_declaration:
      node.kind = XmlTree::Kind::kDeclaration;
      break;
    case pugi::node_doctype:
      node.kind = XmlTree::Kind::kDoctype;
      break;
    default:
      return false;
  }
  node.name = Clean(source.name());
  node.value = Clean(source.value());
  for (const pugi::xml_attribute& attribute : source.attributes())
    node.attributes.push_back({Clean(attribute.name()), Clean(attribute.value())});
  return true;
}

// Copies the pugixml tree without recursion: depth is the input's to choose.
void CopyTree(const pugi::xml_document& document, XmlTree& tree) {
  pugi::xml_node source = document.first_child();
  int parent = XmlTree::kDocumentNode;
  while (source) {
    XmlTree::Node node;
    const bool top_level_blank = parent == XmlTree::kDocumentNode &&
                                 source.type() == pugi::node_pcdata && IsBlank(source.value());
    if (!top_level_blank && Convert(source, node)) {
      const int index = tree.Append(parent, std::move(node));
      if (source.type() == pugi::node_element && source.first_child()) {
        parent = index;
        source = source.first_child();
        continue;
      }
    }
    while (!source.next_sibling() && source.parent() != document) {
      source = source.parent();
      parent = tree.at(parent).parent;
    }
    source = source.next_sibling();
  }
}

void AddNote(std::string& notes, std::string_view note) {
  if (!notes.empty()) notes += ' ';
  notes += note;
}

}  // namespace

XmlParser::Outcome XmlParser::Parse(std::string_view text, XmlTree& tree) {
  Outcome outcome;
  tree.Clear();
  pugi::xml_document document;
  const pugi::xml_parse_result result =
      document.load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_utf8);
  CopyTree(document, tree);
  if (std::string_view error = ErrorName(result, text); !error.empty()) {
    outcome.syntax_error = true;
    AddNote(outcome.notes, error);
  }
  const int roots = tree.CountTopLevelElements();
  if (roots == 0) AddNote(outcome.notes, "no_root_element");
  if (roots > 1) AddNote(outcome.notes, "root_has_sibling");
  return outcome;
}

}  // namespace tessaro
