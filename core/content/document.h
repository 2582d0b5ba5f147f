// The one in-memory record of the quiz the player shows, and its list of
// questions. Start-up creates exactly one QuizDocument, the content loader fills
// it, every window reads it through `current_document`, teardown releases it.
#pragma once

#include <cstdint>

#include "header_link.h"
#include "judging_options.h"
#include "platform.h"
#include "text_slot.h"

enum QuizKind : uint32_t { QUIZ_TEXT = 0, QUIZ_PICTURE = 1, QUIZ_AUDIO = 2, QUIZ_VIDEO = 3 };

// What a solved question does.
enum AnswerMode : int32_t {
  MODE_NOTHING = 0,
  MODE_SECOND_PICTURE = 1,
  MODE_REVEAL = 2,
  MODE_REVEAL_BOX = 3,
  MODE_REVEAL_ALL = 4,
};

// One reward code per score from 1: the question count never exceeds it. A
// question has one or two answer fields.
enum { MAX_QUESTIONS = 96, MAX_ANSWER_FIELDS = 2 * MAX_QUESTIONS, MEDIA_DIR_SIZE = 512 };

struct QuizQuestion {
  char answer1[TEXT_SLOT_SIZE];
  char answer2[TEXT_SLOT_SIZE];  // empty with one answer field per question
  char question_text[TEXT_SLOT_SIZE];
  char reveal_text[TEXT_SLOT_SIZE];
  QuizQuestion* prev;
  QuizQuestion* next;
};

struct QuizDocument {
  uint32_t kind;  // QuizKind; other values show no questions
  char title[TEXT_SLOT_SIZE];
  char author[TEXT_SLOT_SIZE];
  char explanation[TEXT_SLOT_SIZE];
  char answer1_label[TEXT_SLOT_SIZE];
  char answer2_label[TEXT_SLOT_SIZE];
  int32_t question_count;
  int32_t answers_per_question;               // 1 or 2
  char codes[MAX_QUESTIONS][TEXT_SLOT_SIZE];  // codes[s - 1] is shown at score s
  int32_t spare_table[260];                   // unused by the player
  int32_t answer_mode;                        // AnswerMode
  int32_t spare_flag;                         // unused by the player, always 0
  FontHandle answer_font;
  FontHandle score_font;
  FontHandle title_font;
  int32_t all_revealed;  // the record keeps its place; the quiz session keeps its own
  // Stored red, blue, green (in that order); the colour is always
  // red | green << 8 | blue << 16.
  uint8_t background_red;
  uint8_t background_blue;
  uint8_t background_green;
  uint32_t background_colour;
  BrushHandle background_brush;
  uint32_t spare_pair;  // unused by the player
  BrushHandle wrong_brush;
  BrushHandle right_brush;
  BrushHandle anagram_brush;
  BrushHandle hint_brush;
  BrushHandle question_text_brush;
  WindowHandle header_panel;
  char media_dir[MEDIA_DIR_SIZE];
  QuizQuestion* first;
  QuizQuestion* last;
  // Read from the options block after the colours; all zero (no block, or one
  // not understood): every answer is judged by the plain ladder.
  JudgingOptions judging;
  // The web address the header shows as its link, read from the record after
  // the colours; both texts empty without one (the header shows no address).
  HeaderLink link;
};

// Verdict and question colours, 0x00BBGGRR.
enum : uint32_t {
  COLOUR_WRONG = 0x000000FF,
  COLOUR_RIGHT = 0x0000FF00,
  COLOUR_ANAGRAM = 0x000064FF,
  COLOUR_HINT = 0x0026CBFF,
  COLOUR_QUESTION_TEXT = 0x00C0FFFF,
};

// Gives a freshly allocated record its defaults (every field not given a
// default is zero): fonts and brushes are made through the platform seam.
void init_document(QuizDocument* doc);

// Deletes the six brushes, frees every question and the judging options'
// texts. The fonts live as long as the process.
void release_document(QuizDocument* doc);

// Appends a question holding copies of the three texts (each cut at 259 bytes)
// and an empty reveal text. When memory runs out nothing is appended.
void append_question(QuizDocument* doc, const char* answer1, const char* answer2,
                     const char* question_text);

// Question `index` (0-based), walking from the first; a list that is too short
// yields its last question, an empty list none.
QuizQuestion* question_at(const QuizDocument* doc, int index);

// Number of questions actually in the list.
int question_list_length(const QuizDocument* doc);

// Sets the page background from its three components: the stored bytes, the
// colour, and a new background brush (the old one is deleted).
void set_background(QuizDocument* doc, uint8_t red, uint8_t green, uint8_t blue);

// The page draws numbers and captions in white only on a dark background.
bool background_wants_white_text(const QuizDocument* doc);
