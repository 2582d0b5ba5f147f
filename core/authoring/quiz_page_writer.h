// Writes a quiz page: the web player's page (its template) with one quiz's
// resources in its content block and the quiz's title as the page's. The
// container's bytes are described in core/carrier/quiz_page.h, where the
// players read them.
#pragma once

#include <string>
#include <vector>

#include "core/carrier/quiz_page.h"

// The container of `resources` ("PATCH" and "IMG" ones only), in base64.
std::string quiz_block_text(const std::vector<Resource>& resources);

// `page_template` (the web player's page, or a quiz page whose quiz is
// replaced) with `resources` in its block and `title` (UTF-8) in its <title>.
// False with `problem` when the template has no content block or no title.
bool write_quiz_page(const std::string& page_template, const std::vector<Resource>& resources,
                     const std::string& title, std::string* page, std::string* problem);

// Bytes in base64, the standard alphabet, padded, on one line.
std::string encode_base64(const std::string& bytes);

// A text for HTML or XML: & < > " written as entities.
std::string markup_escaped(const std::string& text);
