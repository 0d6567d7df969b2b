#pragma once
// Builds an XmlTree from UTF-8 text with pugixml and names what is wrong with
// the text the way the document's result notes do.
#include <string>
#include <string_view>

#include "app/xml/XmlTree.h"

namespace tessaro {

class XmlParser {
 public:
  struct Outcome {
    // A tag syntax error: the tree holds only what came before it.
    bool syntax_error = false;
    // Space-separated error names such as "lone_end_tag" or "root_has_sibling".
    std::string notes;
  };

  static Outcome Parse(std::string_view text, XmlTree& tree);
};

}  // namespace tessaro
