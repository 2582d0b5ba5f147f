#include "document.h"

#include <cstdlib>
#include <cstring>

namespace {

const FontSpec SCORE_FONT = {25, 400, 0, 0};
const FontSpec TITLE_FONT = {-15, 700, 1, 0};
const uint32_t DEFAULT_BACKGROUND = 0x00965F5A;  // red 90, green 95, blue 150

}  // namespace

void init_document(QuizDocument* doc) {
  const PlatformSeam& seam = platform();
  memset(doc, 0, sizeof *doc);
  doc->first = nullptr;
  doc->last = nullptr;
  doc->score_font = seam.create_font(&SCORE_FONT);
  doc->title_font = seam.create_font(&TITLE_FONT);
  doc->kind = QUIZ_TEXT;
  copy_text(doc->title, "nom du tirlo");
  copy_text(doc->author, " createur");
  doc->background_red = 90;
  doc->background_blue = 150;
  doc->background_green = 95;
  doc->question_count = 2;
  doc->background_brush = seam.create_brush(DEFAULT_BACKGROUND);
  // The colour field is not read by anything; it keeps its historical default.
  doc->background_colour = 0x00969BFF;
  doc->answers_per_question = 1;
  doc->answer_mode = MODE_NOTHING;
  doc->spare_flag = 0;
  doc->all_revealed = 0;
  doc->wrong_brush = seam.create_brush(COLOUR_WRONG);
  doc->right_brush = seam.create_brush(COLOUR_RIGHT);
  doc->anagram_brush = seam.create_brush(COLOUR_ANAGRAM);
  doc->hint_brush = seam.create_brush(COLOUR_HINT);
  doc->question_text_brush = seam.create_brush(COLOUR_QUESTION_TEXT);
  doc->spare_pair = 0x0014000A;
  doc->media_dir[0] = 0;
}

void release_document(QuizDocument* doc) {
  const PlatformSeam& seam = platform();
  BrushHandle* brushes[] = {&doc->background_brush, &doc->wrong_brush, &doc->right_brush,
                            &doc->anagram_brush,    &doc->hint_brush,  &doc->question_text_brush};
  for (BrushHandle* brush : brushes) {
    seam.delete_object(*brush);
    *brush = nullptr;
  }
  QuizQuestion* question = doc->first;
  while (question) {
    QuizQuestion* next = question->next;
    free(question);
    question = next;
  }
  doc->first = nullptr;
  doc->last = nullptr;
  release_judging_options(&doc->judging);
}

void append_question(QuizDocument* doc, const char* answer1, const char* answer2,
                     const char* question_text) {
  QuizQuestion* question = static_cast<QuizQuestion*>(calloc(1, sizeof(QuizQuestion)));
  if (!question) return;
  copy_text(question->answer1, answer1);
  copy_text(question->answer2, answer2);
  copy_text(question->question_text, question_text);
  question->prev = doc->last;
  if (doc->last) doc->last->next = question;
  if (!doc->first) doc->first = question;
  doc->last = question;
}

QuizQuestion* question_at(const QuizDocument* doc, int index) {
  QuizQuestion* question = doc->first;
  while (question && index > 0 && question->next) {
    question = question->next;
    --index;
  }
  return question;
}

int question_list_length(const QuizDocument* doc) {
  int length = 0;
  for (const QuizQuestion* q = doc->first; q; q = q->next) ++length;
  return length;
}

void set_background(QuizDocument* doc, uint8_t red, uint8_t green, uint8_t blue) {
  doc->background_red = red;
  doc->background_green = green;
  doc->background_blue = blue;
  doc->background_colour = uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16;
  BrushHandle brush = platform().create_brush(doc->background_colour);
  platform().delete_object(doc->background_brush);
  doc->background_brush = brush;
}

bool background_wants_white_text(const QuizDocument* doc) {
  return doc->background_red <= 59 && doc->background_green <= 59;
}
