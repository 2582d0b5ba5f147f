#include "score.h"

#include "win32/app/header_panel.h"
#include "core/page/page_layout.h"
#include "win32/page/question_page.h"
#include "core/answers/score_rules.h"

bool label_reads_right(HWND page, int label_id) {
  char text[TEXT_SLOT_SIZE];
  read_control_text(page, label_id, text);
  return label_is_right(text);
}

void update_score(QuizDocument* doc, HWND page) {
  HWND panel = static_cast<HWND>(doc->header_panel);
  if (!panel) return;
  bool right[MAX_ANSWER_FIELDS];
  int fields = answer_field_count(doc);
  for (int k = 1; k <= fields; ++k) right[k - 1] = label_reads_right(page, ID_VERDICT_LABEL + k);
  int score = count_solved(doc, right);
  char text[TEXT_SLOT_SIZE];
  format_score(text, score, doc->question_count);
  SetDlgItemTextA(panel, SCORE_LABEL, text);
  SetDlgItemTextA(panel, CODE_BOX, code_for_score(doc, score));
}
