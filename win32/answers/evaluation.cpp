#include "evaluation.h"

#include "win32/app/platform_win32.h"
#include "core/page/page_layout.h"
#include "win32/page/picture.h"
#include "win32/page/question_page.h"
#include "score.h"
#include "core/answers/score_rules.h"
#include "core/answers/verdict.h"

namespace {

const int LABEL_OFFSET = ID_VERDICT_LABEL - ID_ANSWER_FIELD;  // a field's label is its id + 1000
const int GRID_COLUMNS = 3;
const char REVEAL_CAPTION[] = "texte";

enum Telling { TELL_USER, QUIET };

// The solve check: every field of the question matches its expected answer.
bool question_is_solved(const QuizDocument* doc, HWND page, int question) {
  int per_question = fields_per_question(doc);
  char typed[2][TEXT_SLOT_SIZE];
  const char* texts[2] = {typed[0], typed[1]};
  for (int j = 1; j <= per_question; ++j) {
    read_control_text(page, ID_ANSWER_FIELD + (question - 1) * per_question + j, typed[j - 1]);
  }
  return question_solved(doc, question, texts);
}

RECT place_of(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// The box the pictures of question n's row were fitted into: the column's
// width, the row's height. The tallest static of the row is as high as the
// row (a picture that did not load keeps a static of that height) and stands
// at its top; the column starts where the question's first field does.
bool picture_box(const QuizDocument* doc, HWND page, int n, RECT* box) {
  HWND first_field = page_control(page, ID_ANSWER_FIELD + (n - 1) * fields_per_question(doc) + 1);
  if (!first_field) return false;
  int first = n - (n - 1) % GRID_COLUMNS, top = 0, height = 0;
  for (int q = first; q < first + GRID_COLUMNS && q <= doc->question_count; ++q) {
    HWND picture = page_control(page, ID_QUESTION_PICTURE + q);
    if (!picture) continue;
    RECT place = place_of(picture);
    if (place.bottom - place.top > height) {
      height = place.bottom - place.top;
      top = place.top;
    }
  }
  int left = place_of(first_field).left;
  *box = {left, top, left + PICTURE_BOX, top + height};
  return height > 0;
}

// Mode 1: the answer picture takes the question picture's place, fitted into
// the same box and centred there as the page centres its pictures, so a
// picture of another shape is shown whole. The replaced bitmap is deleted.
void show_answer_picture(const QuizDocument* doc, HWND page, int n) {
  HWND picture = page_control(page, ID_QUESTION_PICTURE + n);
  RECT box;
  if (!picture || !picture_box(doc, page, n, &box)) return;
  int box_width = box.right - box.left, box_height = box.bottom - box.top;
  HBITMAP bitmap = load_picture(resource_module(), ANSWER_PICTURE_RESOURCE + n,
                                PICTURE_RESOURCE_TYPE, box_width, box_height);
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) {
    if (bitmap) DeleteObject(bitmap);
    return;
  }
  SetWindowPos(picture, nullptr, box.left + (box_width - info.bmWidth) / 2,
               box.top + (box_height - info.bmHeight) / 2, info.bmWidth, info.bmHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
      SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (old && old != bitmap) DeleteObject(old);
}

void show_reveal(HWND page, int n, int show) {
  HWND reveal = page_control(page, ID_REVEAL_LABEL + n);
  if (reveal) ShowWindow(reveal, show);
}

void act_on_solved(const QuizDocument* doc, HWND page, int n, Telling telling) {
  switch (doc->answer_mode) {
    case MODE_SECOND_PICTURE: show_answer_picture(doc, page, n); break;
    case MODE_REVEAL: show_reveal(page, n, SW_SHOWNORMAL); break;
    case MODE_REVEAL_BOX: {
      show_reveal(page, n, SW_SHOWNORMAL);
      const QuizQuestion* question = question_at(doc, n - 1);
      if (telling == TELL_USER && question) {
        platform().message_box(question->reveal_text, REVEAL_CAPTION, MESSAGE_OK);
      }
      break;
    }
  }
}

// One field's verdict. The answer mode acts when this judgement turns the
// field right and its question is solved: judging an answer that was already
// right again (each time the field is left) shows no second box and decodes
// no picture again. The verdict is written first, so a judgement made while
// the reveal box is open (the field loses the focus to it) finds it right.
void judge_field(QuizDocument* doc, HWND page, int field_id, Telling telling) {
  FieldPlace place;
  if (!locate_field(doc, field_id, &place)) return;
  char typed[TEXT_SLOT_SIZE];
  read_control_text(page, field_id, typed);
  FieldVerdict verdict = judge_field_answer(doc, place, typed);
  int label = field_id + LABEL_OFFSET;
  if (verdict != VERDICT_RIGHT) {
    show_reveal(page, place.question, SW_HIDE);
    doc->all_revealed = 0;
    write_control_text(page, label, verdict_text(verdict));
    return;
  }
  bool was_right = label_reads_right(page, label);
  write_control_text(page, label, RIGHT_WORD);
  if (!was_right && doc->answer_mode != MODE_NOTHING &&
      question_is_solved(doc, page, place.question)) {
    act_on_solved(doc, page, place.question, telling);
  }
}

// Mode 4: every reveal label once every field is right.
void reveal_all_when_solved(QuizDocument* doc, HWND page) {
  if (doc->answer_mode != MODE_REVEAL_ALL || doc->all_revealed) return;
  int fields = answer_field_count(doc);
  for (int k = 1; k <= fields; ++k) {
    if (!label_reads_right(page, ID_VERDICT_LABEL + k)) return;
  }
  doc->all_revealed = 1;
  for (int n = 1; n <= doc->question_count && n <= MAX_QUESTIONS; ++n) {
    show_reveal(page, n, SW_SHOWNORMAL);
  }
}

}  // namespace

void evaluate_answer(QuizDocument* doc, HWND page, int field_id) {
  evaluate_answers(doc, page, &field_id, 1);
}

void evaluate_answers(QuizDocument* doc, HWND page, const int* field_ids, int count) {
  if (!doc) return;
  for (int i = 0; i < count; ++i) judge_field(doc, page, field_ids[i], TELL_USER);
  reveal_all_when_solved(doc, page);
  update_score(doc, page);
}

void judge_all_answers(QuizDocument* doc, HWND page) {
  int fields = answer_field_count(doc);
  for (int k = 1; k <= fields; ++k) judge_field(doc, page, ID_ANSWER_FIELD + k, QUIET);
  reveal_all_when_solved(doc, page);
  update_score(doc, page);
}
