#include "content_parser.h"

namespace {

const unsigned char SEPARATOR = '|';
const unsigned char CR = 13;

struct Cursor {
  const unsigned char* bytes;
  size_t length;
  size_t position;
};

bool read_byte(Cursor* cursor, unsigned char* value) {
  if (cursor->position >= cursor->length) return false;
  *value = cursor->bytes[cursor->position++];
  return true;
}

// Reads bytes into a slot up to `end`, which is consumed; zero bytes add
// nothing and bytes past 259 are dropped. Returns false when the content ends
// before `end` (the slot keeps what was read).
bool read_until(Cursor* cursor, unsigned char end, char* slot) {
  size_t kept = 0;
  bool ended = false;
  while (cursor->position < cursor->length) {
    unsigned char byte = cursor->bytes[cursor->position++];
    if (byte == end) {
      ended = true;
      break;
    }
    if (byte != 0 && kept < TEXT_SLOT_MAX) slot[kept++] = static_cast<char>(byte);
  }
  slot[kept] = 0;
  return ended;
}

bool read_text(Cursor* cursor, char* slot) { return read_until(cursor, SEPARATOR, slot); }

// Reads the question records; keeps the first MAX_QUESTIONS complete ones.
bool read_questions(Cursor* cursor, QuizDocument* doc, int declared) {
  char answer1[TEXT_SLOT_SIZE], answer2[TEXT_SLOT_SIZE], question_text[TEXT_SLOT_SIZE];
  for (int i = 0; i < declared; ++i) {
    answer2[0] = 0;
    if (!read_text(cursor, answer1) ||
        (doc->answers_per_question == 2 && !read_text(cursor, answer2)) ||
        !read_text(cursor, question_text)) {
      doc->question_count = i < MAX_QUESTIONS ? i : MAX_QUESTIONS;
      return false;
    }
    if (i < MAX_QUESTIONS) append_question(doc, answer1, answer2, question_text);
  }
  doc->question_count = declared < MAX_QUESTIONS ? declared : MAX_QUESTIONS;
  return true;
}

bool read_reveals(Cursor* cursor, QuizDocument* doc, int declared) {
  int texts_per_record;
  switch (doc->answer_mode) {
    case MODE_REVEAL:
    case MODE_REVEAL_ALL: texts_per_record = 1; break;
    case MODE_REVEAL_BOX: texts_per_record = 2; break;
    default: return true;
  }
  char text[TEXT_SLOT_SIZE];
  for (int i = 0; i < declared; ++i) {
    for (int t = 0; t < texts_per_record; ++t) {
      bool complete = read_text(cursor, text);
      if (t == 0 && i < doc->question_count) {
        if (QuizQuestion* question = question_at(doc, i)) copy_text(question->reveal_text, text);
      }
      if (!complete) return false;
    }
  }
  return true;
}

}  // namespace

ContentStatus parse_content(QuizDocument* doc, const unsigned char* bytes, size_t length) {
  Cursor cursor = {bytes, length, 0};
  // Complete question records only, wherever the content ends: the count is
  // set once they are read.
  doc->question_count = 0;
  unsigned char unused, kind, count, answers;
  if (!read_byte(&cursor, &unused) || !read_byte(&cursor, &kind)) return CONTENT_TRUNCATED;
  doc->kind = uint32_t(kind) - 1;
  if (!read_byte(&cursor, &count) || !read_byte(&cursor, &answers)) return CONTENT_TRUNCATED;
  doc->answers_per_question = answers == 2 ? 2 : 1;
  char* header[] = {doc->title, doc->author, doc->explanation, doc->answer1_label,
                    doc->answer2_label};
  for (char* text : header) {
    if (!read_text(&cursor, text)) return CONTENT_TRUNCATED;
  }
  if (!read_questions(&cursor, doc, count)) return CONTENT_TRUNCATED;
  unsigned char mode;
  if (!read_byte(&cursor, &mode)) return CONTENT_TRUNCATED;
  doc->answer_mode = mode;
  if (!read_reveals(&cursor, doc, count)) return CONTENT_TRUNCATED;
  unsigned char red, green, blue;
  if (!read_byte(&cursor, &red) || !read_byte(&cursor, &green) || !read_byte(&cursor, &blue))
    return CONTENT_TRUNCATED;
  set_background(doc, red, green, blue);
  // What follows the colours is the header's link record, then the options
  // block, or nothing this reader knows: a record it does not understand
  // leaves no link, a block it does not understand the plain ladder.
  cursor.position +=
      read_header_link(bytes + cursor.position, length - cursor.position, &doc->link);
  release_judging_options(&doc->judging);
  read_judging_options(bytes + cursor.position, length - cursor.position, doc->question_count,
                       doc->answers_per_question, &doc->judging);
  return CONTENT_COMPLETE;
}

ContentStatus parse_codes(QuizDocument* doc, const unsigned char* bytes, size_t length) {
  Cursor cursor = {bytes, length, 0};
  int lines = doc->question_count < MAX_QUESTIONS ? doc->question_count : MAX_QUESTIONS;
  for (int i = 0; i < lines; ++i) {
    if (!read_until(&cursor, CR, doc->codes[i])) return CONTENT_TRUNCATED;
    unsigned char line_feed;
    read_byte(&cursor, &line_feed);  // the byte after the CR is not looked at
  }
  return CONTENT_COMPLETE;
}

void use_demonstration_content(QuizDocument* doc) {
  copy_text(doc->title, "Nom du tirlo");
  copy_text(doc->author, "Createur tirlo");
  copy_text(doc->explanation, "Explications du tirlo");
  copy_text(doc->answer1_label, "TEST");
  copy_text(doc->answer2_label, "TEST");
  doc->question_count = 7;
  doc->answers_per_question = 2;
  doc->answer_mode = MODE_REVEAL_BOX;
  doc->kind = QUIZ_PICTURE;
  set_background(doc, 53, 203, 163);
  // Questions 3 to 7 show the texts of the second: the question walk stops at
  // the last question.
  append_question(doc, "test", "test", "emplacement");
  append_question(doc, "test", "test", "emplacement");
}
