#include "html_text.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "cp1252.h"

namespace {

// HTML's named characters of Latin-1, from U+00A0 on, in order.
const char* const LATIN1[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

// The others of HTML 4 that texts of questions use: markup's own, the
// typography Windows-1252 holds, and a few blanks.
struct Named {
  const char* name;
  unsigned code_point;
};
const Named OTHERS[] = {
    {"quot", 34},     {"amp", 38},      {"apos", 39},     {"lt", 60},       {"gt", 62},
    {"OElig", 338},   {"oelig", 339},   {"Scaron", 352},  {"scaron", 353},  {"Yuml", 376},
    {"fnof", 402},    {"circ", 710},    {"tilde", 732},   {"ensp", 8194},   {"emsp", 8195},
    {"thinsp", 8201}, {"ndash", 8211},  {"mdash", 8212},  {"lsquo", 8216},  {"rsquo", 8217},
    {"sbquo", 8218},  {"ldquo", 8220},  {"rdquo", 8221},  {"bdquo", 8222},  {"dagger", 8224},
    {"Dagger", 8225}, {"bull", 8226},   {"hellip", 8230}, {"permil", 8240}, {"prime", 8242},
    {"Prime", 8243},  {"lsaquo", 8249}, {"rsaquo", 8250}, {"euro", 8364},   {"trade", 8482},
    {"zwnj", 8204},   {"zwj", 8205},    {"lrm", 8206},    {"rlm", 8207},
};

unsigned named_character(const std::string& name) {
  for (int i = 0; i < 96; ++i)
    if (name == LATIN1[i]) return 0xA0u + unsigned(i);
  for (const Named& n : OTHERS)
    if (name == n.name) return n.code_point;
  return 0;
}

// The character reference at `at` ("&eacute;", "&#233;", "&#xE9;"): its
// code point and length, or 0 when there is none (the "&" stays).
unsigned reference(const std::string& html, size_t at, size_t* length) {
  size_t end = html.find(';', at);
  if (end == std::string::npos || end - at > 12 || end == at + 1) return 0;
  std::string name = html.substr(at + 1, end - at - 1);
  unsigned code_point = 0;
  if (name[0] == '#') {
    bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
    const char* digits = name.c_str() + (hex ? 2 : 1);
    if (!*digits || strspn(digits, hex ? "0123456789abcdefABCDEF" : "0123456789") != strlen(digits))
      return 0;
    unsigned long value = strtoul(digits, nullptr, hex ? 16 : 10);
    // Nothing beyond Unicode, no surrogate, no zero: a stranger's numbers.
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    code_point = unsigned(value);
  } else {
    code_point = named_character(name);
  }
  if (code_point) *length = end - at + 1;
  return code_point;
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// The tag's name, lower-cased, without a leading "/".
std::string tag_name(const std::string& html, size_t open, bool* closing) {
  size_t at = open + 1;
  *closing = at < html.size() && html[at] == '/';
  if (*closing) ++at;
  std::string name;
  while (at < html.size() && (isalnum(static_cast<unsigned char>(html[at])))) {
    name += char(tolower(static_cast<unsigned char>(html[at])));
    ++at;
  }
  return name;
}

bool breaks_lines(const std::string& tag) {
  static const char* const BLOCKS[] = {"br", "p",  "div", "li",    "tr",        "td",
                                       "th", "h1", "h2",  "h3",    "h4",        "h5",
                                       "h6", "ul", "ol",  "table", "blockquote"};
  for (const char* block : BLOCKS)
    if (tag == block) return true;
  return false;
}

}  // namespace

std::string collapse_blanks(const std::string& text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (is_blank(c)) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

std::string html_to_text(const std::string& html, char block_break, int* pictures) {
  std::string text;
  if (pictures) *pictures = 0;
  size_t at = 0;
  while (at < html.size()) {
    char c = html[at];
    if (c == '<') {
      if (html.compare(at, 4, "<!--") == 0) {
        size_t end = html.find("-->", at + 4);
        at = end == std::string::npos ? html.size() : end + 3;
        continue;
      }
      bool closing;
      std::string tag = tag_name(html, at, &closing);
      size_t end = html.find('>', at);
      if (tag.empty() || end == std::string::npos) {  // a "<" that opens no tag
        text += c;
        ++at;
        continue;
      }
      at = end + 1;
      if (pictures && tag == "img") ++*pictures;
      if (breaks_lines(tag)) text += block_break;
      if (!closing && (tag == "script" || tag == "style")) {
        size_t close = html.find("</" + tag, at);
        at = close == std::string::npos ? html.size() : close;
      }
      continue;
    }
    size_t length = 0;
    unsigned code_point = c == '&' ? reference(html, at, &length) : 0;
    if (code_point) {
      append_utf8(code_point, &text);
      at += length;
      continue;
    }
    text += c;
    ++at;
  }
  if (block_break == ' ') return collapse_blanks(text);
  // Blanks made one within each line; empty lines left out.
  std::string lines, line;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find(block_break, start);
    if (end == std::string::npos) end = text.size();
    line = collapse_blanks(text.substr(start, end - start));
    if (!line.empty()) lines += (lines.empty() ? "" : std::string(1, block_break)) + line;
    start = end + 1;
  }
  return lines;
}

std::string html_escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
  return out;
}
