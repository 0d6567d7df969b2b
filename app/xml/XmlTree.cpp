#include "app/xml/XmlTree.h"

#include <algorithm>
#include <utility>

namespace tessaro {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void AppendEscaped(std::string& out, std::string_view text, bool quotes) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        if (quotes)
          out += "&quot;";
        else
          out += c;
        break;
      case '\'':
        if (quotes)
          out += "&apos;";
        else
          out += c;
        break;
      default:
        out += c;
    }
  }
}

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

bool IsTextual(const XmlTree::Node& node) {
  return node.kind == XmlTree::Kind::kText || node.kind == XmlTree::Kind::kCData;
}

class Writer {
 public:
  explicit Writer(const XmlTree& tree) : tree_(tree) {}

  std::string Run() {
    // Each open element with whether its content is written on one line.
    std::vector<std::pair<int, bool>> open;
    int index = tree_.at(XmlTree::kDocumentNode).first_child;
    while (true) {
      if (index == XmlTree::kNoNode) {
        if (open.empty()) break;
        const int element = open.back().first;
        open.pop_back();
        out_ += "</";
        out_ += tree_.at(element).name;
        out_ += '>';
        EndLine(open);
        index = tree_.at(element).next;
        continue;
      }
      const XmlTree::Node& node = tree_.at(index);
      const bool inside_line = !open.empty() && open.back().second;
      if (node.kind == XmlTree::Kind::kElement && node.first_child != XmlTree::kNoNode) {
        WriteStartTag(node);
        const bool inline_content = inside_line || KeepsContentOnOneLine(node);
        open.emplace_back(index, inline_content);
        if (!inline_content) out_ += kLineEnd;
        index = node.first_child;
        continue;
      }
      // Blank text between child elements is layout, replaced by ours.
      if (!(node.kind == XmlTree::Kind::kText && !inside_line && IsBlank(node.value))) {
        WriteLeaf(node);
        EndLine(open);
      }
      index = node.next;
    }
    return std::move(out_);
  }

 private:
  // Text among the children (other than blank layout between elements) keeps
  // the element's content on one line.
  bool KeepsContentOnOneLine(const XmlTree::Node& element) const {
    bool structural = false;
    bool text = false;
    for (int child = element.first_child; child != XmlTree::kNoNode; child = tree_.at(child).next) {
      const XmlTree::Node& node = tree_.at(child);
      if (!IsTextual(node)) {
        structural = true;
      } else if (node.kind == XmlTree::Kind::kCData || !IsBlank(node.value)) {
        return true;
      } else {
        text = true;
      }
    }
    return text && !structural;
  }

  void EndLine(const std::vector<std::pair<int, bool>>& open) {
    if (open.empty() || !open.back().second) out_ += kLineEnd;
  }

  void WriteAttributes(const XmlTree::Node& node) {
    for (const XmlTree::Attribute& attribute : node.attributes) {
      out_ += ' ';
      out_ += attribute.name;
      out_ += "=\"";
      AppendEscaped(out_, attribute.value, true);
      out_ += '"';
    }
  }

  void WriteStartTag(const XmlTree::Node& node) {
    out_ += '<';
    out_ += node.name;
    WriteAttributes(node);
    out_ += '>';
  }

  void WriteLeaf(const XmlTree::Node& node) {
    switch (node.kind) {
      case XmlTree::Kind::kElement:
        out_ += '<';
        out_ += node.name;
        WriteAttributes(node);
        out_ += "/>";
        break;
      case XmlTree::Kind::kText:
        AppendEscaped(out_, node.value, false);
        break;
      case XmlTree::Kind::kCData:
        out_ += "<![CDATA[";
        out_ += node.value;
        out_ += "]]>";
        break;
      case XmlTree::Kind::kComment:
        out_ += "<!--";
        out_ += node.value;
        out_ += "-->";
        break;
      case XmlTree::Kind::kProcessing:
        out_ += "<?";
        out_ += node.name;
        if (!node.value.empty()) out_ += ' ';
        out_ += node.value;
        out_ += "?>";
        break;
      case XmlTree::Kind::kDeclaration:
        out_ += "<?";
        out_ += node.name;
        WriteAttributes(node);
        out_ += "?>";
        break;
      case XmlTree::Kind::kDoctype:
        out_ += "<!DOCTYPE ";
        out_ += node.value;
        out_ += '>';
        break;
      case XmlTree::Kind::kDocument:
        break;
    }
  }

  const XmlTree& tree_;
  std::string out_;
};

}  // namespace

XmlTree::XmlTree() {
  Clear();
}

void XmlTree::Clear() {
  nodes_.clear();
  Node document;
  document.kind = Kind::kDocument;
  nodes_.push_back(std::move(document));
}

int XmlTree::Add(Node node) {
  node.first_child = node.last_child = node.next = node.previous = kNoNode;
  nodes_.push_back(std::move(node));
  return static_cast<int>(nodes_.size() - 1);
}

int XmlTree::Append(int parent, Node node) {
  const int index = Add(std::move(node));
  Node& added = at(index);
  Node& owner = at(parent);
  added.parent = parent;
  added.previous = owner.last_child;
  if (owner.last_child != kNoNode)
    at(owner.last_child).next = index;
  else
    owner.first_child = index;
  owner.last_child = index;
  return index;
}

int XmlTree::InsertAfter(int sibling, Node node) {
  const int index = Add(std::move(node));
  const int parent = at(sibling).parent;
  const int following = at(sibling).next;
  Node& added = at(index);
  added.parent = parent;
  added.previous = sibling;
  added.next = following;
  at(sibling).next = index;
  if (following != kNoNode)
    at(following).previous = index;
  else
    at(parent).last_child = index;
  return index;
}

int XmlTree::CountTopLevelElements() const {
  int count = 0;
  for (int child = at(kDocumentNode).first_child; child != kNoNode; child = at(child).next)
    if (at(child).kind == Kind::kElement) ++count;
  return count;
}

std::string XmlTree::Write() const {
  return Writer(*this).Run();
}

}  // namespace tessaro
