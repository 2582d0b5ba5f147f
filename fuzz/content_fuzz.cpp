// Any decoded content and codes: the parser must stay inside the bytes and
// the slots, and leave a document whose question count matches its list.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/content/content_parser.h"
#include "null_platform.h"

namespace {

void check_slot(const char* slot) {
  if (!memchr(slot, 0, TEXT_SLOT_SIZE)) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  install_null_platform();
  static QuizDocument doc;
  init_document(&doc);
  // The first half is the content, the second the codes.
  size_t half = size / 2;
  parse_content(&doc, data, half);
  parse_codes(&doc, data + half, size - half);
  if (doc.question_count < 0 || doc.question_count > MAX_QUESTIONS) abort();
  if (doc.answers_per_question != 1 && doc.answers_per_question != 2) abort();
  int listed = question_list_length(&doc);
  if (listed > MAX_QUESTIONS || (listed != doc.question_count && listed != 0)) abort();
  check_slot(doc.title);
  check_slot(doc.author);
  check_slot(doc.link.address);
  check_slot(doc.link.text);
  // A link the header shows is one the shell may open: a web address.
  if (doc.link.address[0] && !web_address_ok(doc.link.address, strlen(doc.link.address))) abort();
  for (const char* code : doc.codes) check_slot(code);
  for (QuizQuestion* q = doc.first; q; q = q->next) {
    check_slot(q->answer1);
    check_slot(q->answer2);
    check_slot(q->question_text);
    check_slot(q->reveal_text);
  }
  release_document(&doc);
  return 0;
}
