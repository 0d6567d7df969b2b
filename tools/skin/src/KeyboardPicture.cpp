#include "KeyboardPicture.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace skin {
namespace {

struct Key {
  int x = 0, y = 0, w = 0, h = 0;
  long code = 0;
  std::string name;
  std::string icon;
};

// Legends printed above the main block's digits and punctuation, by the
// Windows virtual-key code the layout stores (numeric-pad keys have other
// codes, so their "1" or "/" gets no shifted symbol).
const std::map<long, std::string> kShifted = {
    {0x30, ")"}, {0x31, "!"}, {0x32, "@"}, {0x33, "#"}, {0x34, "$"}, {0x35, "%"}, {0x36, "^"},
    {0x37, "&"}, {0x38, "*"}, {0x39, "("}, {0xBA, ":"}, {0xBB, "+"}, {0xBC, "<"}, {0xBD, "_"},
    {0xBE, ">"}, {0xBF, "?"}, {0xC0, "~"}, {0xDB, "{"}, {0xDC, "|"}, {0xDD, "}"}, {0xDE, "\""}};

// Arrow keys get drawn triangles: font arrows vary too much between faces.
const std::map<std::string, int> kArrowAngle = {
    {"\u2191", 0}, {"\u2192", 90}, {"\u2193", 180}, {"\u2190", 270}};

std::string Escape(const std::string& text) {
  std::string out;
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
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool ParseRect(const char* text, Key& key) {
  int v[4];
  const char* p = text;
  for (int i = 0; i < 4; ++i) {
    char* end = nullptr;
    v[i] = static_cast<int>(std::strtol(p, &end, 10));
    if (end == p || (i < 3 && *end != '#')) return false;
    p = end + 1;
  }
  key.x = v[0], key.y = v[1], key.w = v[2], key.h = v[3];
  return key.w > 0 && key.h > 0;
}

bool IsFunctionKey(const std::string& name) {
  return name.size() >= 2 && name[0] == 'F' && std::isdigit(static_cast<unsigned char>(name[1]));
}

size_t Utf8Length(const std::string& s) {
  return static_cast<size_t>(
      std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void Defs(std::ostream& out) {
  out << R"(<defs>
  <linearGradient id="case" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#18212B"/><stop offset="1" stop-color="#0D1319"/></linearGradient>
  <linearGradient id="bevel" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#3A4856"/><stop offset="0.08" stop-color="#27333F"/>
    <stop offset="1" stop-color="#1C2630"/></linearGradient>
  <linearGradient id="plate" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#05080B"/><stop offset="1" stop-color="#080C11"/></linearGradient>
  <linearGradient id="skirt" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#131A22"/><stop offset="1" stop-color="#0E141A"/></linearGradient>
  <linearGradient id="top" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#222C37"/><stop offset="1" stop-color="#19212A"/></linearGradient>
</defs>
)";
}

void Legend(std::ostream& out, const Key& k) {
  const double cx = k.x + k.w / 2.0;
  const double top = k.y + 2, bottom = k.y + k.h - 6;  // the cap's top face
  const double cy = (top + bottom) / 2.0;
  const char* text = R"(<text text-anchor="middle" font-family="Open Sans" font-weight="600" )";
  if (auto arrow = kArrowAngle.find(k.name); arrow != kArrowAngle.end()) {
    out << "<path d=\"M0,-3.5 L4.5,3 L-4.5,3 Z\" fill=\"#D6DEE6\" transform=\"translate(" << cx
        << ',' << cy << ") rotate(" << arrow->second << ")\"/>\n";
    return;
  }
  if (k.name == "Space" || k.name.empty()) return;
  if (auto shifted = kShifted.find(k.code); shifted != kShifted.end()) {
    out << text << "font-size=\"9\" fill=\"#8A97A4\" x=\"" << cx << "\" y=\"" << cy - 3 << "\">"
        << Escape(shifted->second) << "</text>\n";
    out << text << "font-size=\"11\" fill=\"#D6DEE6\" x=\"" << cx << "\" y=\"" << cy + 10 << "\">"
        << Escape(k.name) << "</text>\n";
    return;
  }
  const size_t length = Utf8Length(k.name);
  const int size = length == 1 ? 12 : IsFunctionKey(k.name) ? 10 : 9;
  // Baseline a third of the size below the centre puts the x-height mid-cap.
  out << text << "font-size=\"" << size << "\" fill=\"#D6DEE6\" x=\"" << cx << "\" y=\""
      << cy + size * 0.36 << "\">" << Escape(k.name) << "</text>\n";
}

void Cap(std::ostream& out, const Key& k, const std::string& skin_folder) {
  out << "<rect x=\"" << k.x + 0.5 << "\" y=\"" << k.y + 0.5 << "\" width=\"" << k.w - 1
      << "\" height=\"" << k.h - 1 << "\" rx=\"4.5\" fill=\"url(#skirt)\" stroke=\"#0A0F14\"/>\n"
      << "<rect x=\"" << k.x + 3 << "\" y=\"" << k.y + 2 << "\" width=\"" << k.w - 6
      << "\" height=\"" << k.h - 8
      << "\" rx=\"3.5\" fill=\"url(#top)\" stroke=\"#2A3541\" stroke-width=\"0.6\"/>\n";
  if (!k.icon.empty()) {
    out << "<image x=\"" << k.x + 3 << "\" y=\"" << k.y + 2 << "\" width=\"" << k.w - 6
        << "\" height=\"" << k.h - 8 << "\" preserveAspectRatio=\"xMidYMid meet\" href=\"file://"
        << Escape(skin_folder + "/" + k.icon) << "\"/>\n";
    return;
  }
  Legend(out, k);
}

}  // namespace

bool KeyboardPicture::Write(const std::string& layout_path, const std::string& skin_folder,
                            const std::string& svg_path, std::string& image_name,
                            std::string& error) {
  pugi::xml_document doc;
  if (!doc.load_file(layout_path.c_str())) {
    error = "cannot read " + layout_path;
    return false;
  }
  const pugi::xml_node board = doc.child("device.info").child("Keyboard");
  const int width = board.attribute("width").as_int();
  const int height = board.attribute("height").as_int();
  image_name = board.attribute("image").as_string();
  if (width <= 0 || height <= 0 || image_name.empty()) {
    error = layout_path + ": Keyboard element without width, height or image";
    return false;
  }
  std::vector<Key> keys;
  for (pugi::xml_node item : board.child("KeyItems").children("key")) {
    Key key;
    if (!ParseRect(item.attribute("rect").as_string(), key)) {
      error = layout_path + ": bad rect \"" + item.attribute("rect").as_string() + "\"";
      return false;
    }
    key.code = std::strtol(item.attribute("code").as_string(), nullptr, 16);
    key.name = item.attribute("name").as_string();
    key.icon = item.attribute("icon").as_string();
    keys.push_back(key);
  }
  if (keys.empty()) {
    error = layout_path + ": no keys";
    return false;
  }
  int left = width, top = height, right = 0, bottom = 0;
  for (const Key& k : keys) {
    left = std::min(left, k.x), top = std::min(top, k.y);
    right = std::max(right, k.x + k.w), bottom = std::max(bottom, k.y + k.h);
  }
  // The numeric pad's top-left corner: the logotype and lock lights sit above
  // the rightmost block, in the row the function keys leave free.
  int pad_left = right;
  for (const Key& k : keys) {
    if (k.y > top + 40 && k.x > right - 160) pad_left = std::min(pad_left, k.x);
  }

  std::ostringstream out;
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
      << "\" viewBox=\"0 0 " << width << ' ' << height << "\">\n";
  Defs(out);
  out << "<rect x=\"0.5\" y=\"0.5\" width=\"" << width - 1 << "\" height=\"" << height - 1
      << "\" rx=\"12\" fill=\"url(#case)\" stroke=\"url(#bevel)\"/>\n";
  const int m = 8;  // plate margin around the keys
  out << "<rect x=\"" << left - m + 0.5 << "\" y=\"" << top - m + 0.5 << "\" width=\""
      << right - left + 2 * m - 1 << "\" height=\"" << bottom - top + 2 * m - 1
      << "\" rx=\"6\" fill=\"url(#plate)\" stroke=\"#111820\"/>\n";
  out << "<text x=\"" << pad_left + 2 << "\" y=\"" << top + 22
      << "\" font-family=\"Open Sans\" font-weight=\"700\" font-size=\"11\" "
         "letter-spacing=\"4.2\" fill=\"#4E5B68\">NORVIK</text>\n";
  for (int i = 0; i < 3; ++i) {
    out << "<rect x=\"" << right - 48 + 16 * i << "\" y=\"" << top + 16
        << "\" width=\"12\" height=\"2.5\" rx=\"1.25\" fill=\"" << (i == 0 ? "#E8EDF2" : "#2A3541")
        << "\"/>\n";
  }
  for (const Key& k : keys) Cap(out, k, skin_folder);
  out << "</svg>\n";

  std::ofstream file(svg_path);
  if (!(file << out.str())) {
    error = "cannot write " + svg_path;
    return false;
  }
  return true;
}

}  // namespace skin
