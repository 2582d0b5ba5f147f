// HTML as learning platforms keep question texts, reduced to its text.
#pragma once

#include <string>

// The text of an HTML fragment (UTF-8): tags left out (a block or a line
// break between texts becomes `block_break`), the contents of script and
// style left out, character references (named, decimal, hexadecimal)
// decoded, runs of blanks made one. `pictures` counts the <img> tags.
std::string html_to_text(const std::string& html, char block_break = ' ', int* pictures = nullptr);

// A text as HTML: &, < and > escaped.
std::string html_escaped(const std::string& text);

// Runs of blanks, tabs and line breaks as one blank, none at either end.
std::string collapse_blanks(const std::string& text);
