#pragma once
// The parsed document: nodes in one array, linked to parent, children and
// siblings by index, so that inserting is cheap and walking needs no
// recursion (fuzzed input nests as deep as it likes). Node 0 is the document
// itself; its children are the top level.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

class XmlTree {
 public:
  enum class Kind : uint8_t {
    kDocument,
    kElement,
    kText,
    kCData,
    kComment,
    kProcessing,  // name and value of <?name value?>
    kDeclaration,
    kDoctype,
  };
  struct Attribute {
    std::string name;
    std::string value;
  };
  struct Node {
    Kind kind = Kind::kElement;
    std::string name;
    std::string value;  // text, comment, CDATA, instruction or doctype content
    std::vector<Attribute> attributes;
    int parent = -1;
    int first_child = -1;
    int last_child = -1;
    int next = -1;
    int previous = -1;
  };
  static constexpr int kDocumentNode = 0;
  static constexpr int kNoNode = -1;

  XmlTree();
  void Clear();

  const Node& at(int index) const { return nodes_[static_cast<size_t>(index)]; }
  Node& at(int index) { return nodes_[static_cast<size_t>(index)]; }

  // Adds the node as the last child of parent; returns its index.
  int Append(int parent, Node node);
  // Adds the node right after sibling; returns its index.
  int InsertAfter(int sibling, Node node);

  int CountTopLevelElements() const;

  // The written form: one node per line, "\r\n" line ends, no indentation,
  // empty elements closed by "/>", text-only elements on one line. Elements
  // whose text mixes with child elements keep their content on one line so
  // that the text comes back unchanged.
  std::string Write() const;

 private:
  int Add(Node node);
  std::vector<Node> nodes_;
};

}  // namespace tessaro
