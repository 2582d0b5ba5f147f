// A quiz page: the web player's page with one quiz inside it, a single HTML
// file that plays that quiz in any browser. The quiz travels as its
// resources (content, codes, pictures or clips, the bytes a packed player
// carries) in a container, written in base64 into one element of the page:
//
//   <script type="application/octet-stream" id="quiz-content">BASE64</script>
//
// The web player's own page holds that element empty. The container:
//
//   "QUIZ", the version (1 byte, 1), the resource count (2 bytes)
//   per resource: its type (1 byte: 1 "PATCH", 2 "IMG"), its number
//   (2 bytes), its size (4 bytes), then its bytes
//
// Numbers are little-endian. The reader is strict: another signature or
// version, an unknown type, a resource named twice, a size beyond the end or
// a byte after the last resource, and it takes nothing. The writer is
// authoring's (core/authoring/quiz_page_writer.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pe_reader.h"

namespace quiz_page {

inline constexpr char SIGNATURE[] = "QUIZ";
const size_t SIGNATURE_SIZE = 4;
const uint8_t VERSION = 1;
const uint8_t TYPE_CONTENT = 1;  // "PATCH"
const uint8_t TYPE_MEDIA = 2;    // "IMG"
const size_t HEADER_SIZE = SIGNATURE_SIZE + 1 + 2, RECORD_HEADER_SIZE = 1 + 2 + 4;
// Far above any quiz: 104, 105, and two pictures for each of 96 questions.
const size_t MAX_RESOURCES = 1024;
const uint64_t MAX_BYTES = 1u << 30;

// The element that carries the block, as the page holds it.
inline constexpr char BLOCK_START[] =
    "<script type=\"application/octet-stream\" id=\"quiz-content\">";
inline constexpr char BLOCK_END[] = "</script>";

}  // namespace quiz_page

// Where the block's text lies in a page: false when the page has no such
// element, or an element that is never closed.
bool find_quiz_block(const std::string& page, size_t* start, size_t* length);

enum PageRead {
  PAGE_READ,
  PAGE_NOT_A_PAGE,     // no content block at all
  PAGE_WITHOUT_QUIZ,   // an empty block: the web player's own page
  PAGE_DAMAGED,        // cut short, not base64, a container the reader refuses
  PAGE_OTHER_VERSION,  // a container of another version
};

// Reads the resources a quiz page carries: `page` is the whole file. Any
// result but PAGE_READ comes with `problem` (English) and no resources.
PageRead read_quiz_page(const std::string& page, std::vector<Resource>* resources,
                        std::string* problem);

// The same for the block's text alone (its base64), as the page finds it in
// itself.
PageRead read_quiz_block(const std::string& text, std::vector<Resource>* resources,
                         std::string* problem);

// The answers file's name for a quiz file named `name`: a page ("quiz.html",
// "quiz.htm") gives the name the same quiz's program gives ("quiz.txt"), so
// that answers exported from either form are one file; any other name is
// taken as the program's. False, and `slot` empty, when there is none.
bool quiz_answers_name(const char* name, char* slot);

// Base64 (the standard alphabet, "=" padding) to bytes; blanks and line
// breaks are passed over. False for any other character or a cut group.
bool decode_base64(const std::string& text, std::string* bytes);
