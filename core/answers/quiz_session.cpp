#include "quiz_session.h"

#include <cstring>

#include "score_rules.h"

namespace {

const char REVEAL_CAPTION[] = "texte";

enum Telling { TELL_USER, QUIET };

// The one place a field's answer is judged: its verdict (with the quiz's
// judging options, when it carries them) and, when it is right, whether every
// field of its question now is. Whatever changes how answers are compared
// changes it here.
struct TextVerdict {
  Verdict verdict;
  const char* word;  // the verdict label's text
  bool solves;
};

TextVerdict judge_text(const QuizSession* session, const FieldPlace& place) {
  const QuizDocument* doc = session->doc;
  FieldVerdict judged = judge_field_answer(doc, place, session->fields[place.field - 1].text);
  TextVerdict result = {judged.verdict, judged.word, false};
  if (result.verdict == VERDICT_RIGHT) {
    const char* typed[MAX_ANSWER_FIELDS / MAX_QUESTIONS];
    int first = (place.question - 1) * session->per_question;
    for (int j = 0; j < session->per_question; ++j) typed[j] = session->fields[first + j].text;
    result.solves = question_solved(doc, place.question, typed);
  }
  return result;
}

bool on_page(const QuizSession* session, int field) {
  return field >= 1 && field <= session->field_count;
}

FieldPlace place_of(const QuizSession* session, int field) {
  return {(field - 1) / session->per_question + 1, (field - 1) % session->per_question + 1, field};
}

const SessionViewOps* ops(const QuizSession* session) { return session->view.ops; }
void* instance(const QuizSession* session) { return session->view.instance; }

// Reveal labels exist in the answer modes that reveal a text.
bool has_reveals(const QuizSession* session) {
  return session->doc->answer_mode > MODE_SECOND_PICTURE;
}

// Shows or hides question n's reveal label when that changes it.
RevealChange set_revealed(QuizSession* session, int question, bool shown) {
  bool& revealed = session->revealed[question - 1];
  if (revealed == shown) return REVEAL_KEPT;
  revealed = shown;
  if (ops(session)) ops(session)->show_reveal(instance(session), question, shown);
  return shown ? REVEAL_SHOWN : REVEAL_HIDDEN;
}

// A listed wrong answer's verdict is VERDICT_WRONG with the author's word:
// the word changes the label as much as the verdict does.
void set_verdict(QuizSession* session, int field, Verdict verdict, const char* word,
                 Judgement* judgement) {
  SessionField& held = session->fields[field - 1];
  judgement->verdict = verdict;
  judgement->word = word;
  judgement->verdict_changed = held.verdict != verdict || strcmp(held.word, word) != 0;
  if (!judgement->verdict_changed) return;
  held.verdict = verdict;
  held.word = word;
  if (ops(session)) ops(session)->show_verdict(instance(session), field, verdict, word);
}

// What a question solved by this judgement does, by the quiz's answer mode.
void act_on_solved(QuizSession* session, int question, Telling telling, Judgement* judgement) {
  switch (session->doc->answer_mode) {
    case MODE_SECOND_PICTURE:
      judgement->answer_picture = true;
      if (ops(session)) ops(session)->show_answer_picture(instance(session), question);
      break;
    case MODE_REVEAL: judgement->reveal = set_revealed(session, question, true); break;
    case MODE_REVEAL_BOX: {
      judgement->reveal = set_revealed(session, question, true);
      const QuizQuestion* shown = question_at(session->doc, question - 1);
      if (telling == TELL_USER && shown) {
        judgement->message = shown->reveal_text;
        if (ops(session)) {
          ops(session)->show_message(instance(session), shown->reveal_text, REVEAL_CAPTION);
        }
      }
      break;
    }
  }
}

// One field's verdict. The answer mode acts when this judgement turns the
// field right and its question is solved: judging an answer that was already
// right again (each time the field is left) shows no second box and no second
// picture. The verdict is taken and shown first, so that a judgement made
// while the box is open (the field loses the focus to it) finds it right.
void judge_one(QuizSession* session, int field, Telling telling, Judgement* judgement) {
  FieldPlace place = place_of(session, field);
  judgement->judged = true;
  judgement->question = place.question;
  TextVerdict result = judge_text(session, place);
  bool was_right = session->fields[field - 1].verdict == VERDICT_RIGHT;
  if (result.verdict != VERDICT_RIGHT) {
    if (has_reveals(session)) judgement->reveal = set_revealed(session, place.question, false);
    session->all_revealed = false;
    set_verdict(session, field, result.verdict, result.word, judgement);
    return;
  }
  set_verdict(session, field, VERDICT_RIGHT, result.word, judgement);
  if (!was_right && session->doc->answer_mode != MODE_NOTHING && result.solves) {
    act_on_solved(session, place.question, telling, judgement);
  }
}

// Mode 4: every reveal label once every field is right, and again after a
// field went wrong and came back.
void reveal_all_when_solved(QuizSession* session, Judgement* judgement) {
  if (session->doc->answer_mode != MODE_REVEAL_ALL || session->all_revealed) return;
  for (int k = 1; k <= session->field_count; ++k) {
    if (session->fields[k - 1].verdict != VERDICT_RIGHT) return;
  }
  session->all_revealed = true;
  if (judgement) judgement->revealed_all = true;
  for (int n = 1; n <= session->question_count; ++n) set_revealed(session, n, true);
}

int count_score(const QuizSession* session) {
  bool right[MAX_ANSWER_FIELDS];
  for (int k = 1; k <= session->field_count; ++k) {
    right[k - 1] = session->fields[k - 1].verdict == VERDICT_RIGHT;
  }
  return count_solved(session->doc, right);
}

// A "texte" box shown by the judgement may have let the window close: an
// ended session leaves the last save to the close.
void save_if_unsaved(QuizSession* session) {
  if (session->unsaved && !session->ended && ops(session) && ops(session)->save_answers) {
    ops(session)->save_answers(instance(session));
  }
}

// After every judgement: mode 4, then the score, shown each time.
void finish(QuizSession* session, Judgement* judgement) {
  reveal_all_when_solved(session, judgement);
  int before = session->score;
  update_score(session);
  if (judgement) {
    judgement->score = session->score;
    judgement->score_changed = session->score != before;
  }
}

}  // namespace

void start_session(QuizSession* session, const QuizDocument* doc, const SessionView* view) {
  memset(session, 0, sizeof *session);
  session->doc = doc;
  if (view) session->view = *view;
  session->per_question = fields_per_question(doc);
  session->field_count = answer_field_count(doc);
  session->question_count = session->field_count / session->per_question;
  for (int k = 0; k < session->field_count; ++k) {
    session->fields[k].verdict = VERDICT_EMPTY;
    session->fields[k].word = verdict_text(VERDICT_EMPTY);
  }
}

void restore_answers(QuizSession* session, const void* bytes, size_t size) {
  AnswersReader reader;
  start_answers(&reader, bytes, size);
  int lines = answer_lines_per_question(session->doc->kind, session->doc->answers_per_question);
  bool fields_shown = lines == session->per_question;
  char line[TEXT_SLOT_SIZE];
  for (int n = 0; n < session->question_count && reader.position < reader.size; ++n) {
    for (int j = 0; j < lines; ++j) {
      read_answer_line(&reader, line);
      if (fields_shown) copy_text(session->fields[n * lines + j].text, line);
    }
  }
}

size_t write_answers(const QuizSession* session, char* out) {
  size_t length = 0;
  for (int k = 0; k < session->field_count; ++k) {
    length += format_answer_line(session->fields[k].text, out + length);
  }
  return length;
}

bool set_answer_text(QuizSession* session, int field, const char* text) {
  if (!on_page(session, field)) return false;
  char* held = session->fields[field - 1].text;
  char given[TEXT_SLOT_SIZE];
  copy_text(given, text);
  if (strcmp(held, given) == 0) return false;
  memcpy(held, given, TEXT_SLOT_SIZE);
  session->unsaved = true;
  return true;
}

Judgement judge_field(QuizSession* session, int field, const char* typed) {
  Judgement judgement = {};
  if (session->ended || !on_page(session, field)) return judgement;
  judgement.answer_changed = set_answer_text(session, field, typed);
  judge_one(session, field, TELL_USER, &judgement);
  finish(session, &judgement);
  save_if_unsaved(session);
  return judgement;
}

void judge_all_fields(QuizSession* session) {
  if (session->ended) return;
  for (int k = 1; k <= session->field_count; ++k) {
    Judgement judgement = {};
    judge_one(session, k, QUIET, &judgement);
  }
  finish(session, nullptr);
}

void spread_answer_text(QuizSession* session, int field, const char* text) {
  if (session->ended || !on_page(session, field)) return;
  // Every field not yet right before any is judged takes the text first.
  int others[MAX_ANSWER_FIELDS];
  int count = 0;
  for (int k = 1; k <= session->field_count; ++k) {
    if (k == field || session->fields[k - 1].verdict == VERDICT_RIGHT) continue;
    set_answer_text(session, k, text);
    if (ops(session)) ops(session)->show_text(instance(session), k, session->fields[k - 1].text);
    others[count++] = k;
  }
  Judgement judgement = {};
  set_answer_text(session, field, text);
  judge_one(session, field, TELL_USER, &judgement);
  for (int i = 0; i < count && !session->ended; ++i) {
    Judgement other = {};
    judge_one(session, others[i], TELL_USER, &other);
  }
  finish(session, nullptr);
  save_if_unsaved(session);
}

void answers_saved(QuizSession* session) { session->unsaved = false; }

void update_score(QuizSession* session) {
  session->score = count_score(session);
  if (!ops(session)) return;
  char text[TEXT_SLOT_SIZE];
  format_score(text, session->score, session->doc->question_count);
  ops(session)->show_score(instance(session), text, session_code(session));
}

int first_open_field(const QuizSession* session) {
  for (int k = 1; k <= session->field_count; ++k) {
    if (session->fields[k - 1].verdict != VERDICT_RIGHT) return k;
  }
  return session->field_count ? 1 : 0;
}

bool session_question_solved(const QuizSession* session, int question) {
  if (question < 1 || question > session->question_count) return false;
  int first = (question - 1) * session->per_question;
  for (int j = 0; j < session->per_question; ++j) {
    if (session->fields[first + j].verdict != VERDICT_RIGHT) return false;
  }
  return true;
}

const char* session_code(const QuizSession* session) {
  return code_for_score(session->doc, session->score);
}

void end_session(QuizSession* session) { session->ended = true; }
