// One person answering one quiz: what each answer field holds and its
// verdict, which questions are solved, whether every reveal text is shown, the
// score and its code. Portable: a front end keeps one session per page, hands
// it what was typed, and shows what changes, as each judgement returns it and
// through its view table (the Win32 page, the web page, a test's recorder).
//
// Fields are numbered k = 1 .. field_count across the page, questions
// n = 1 .. question_count, as the page numbers its controls.
#pragma once

#include <cstddef>

#include "answers_file.h"
#include "core/content/document.h"
#include "verdict.h"

// What a front end shows of its session, called as the session changes. Every
// operation gets the view's instance first. The session has taken the change
// into its own state before it calls, so a judgement made from inside a call
// (a message box moving the focus) finds the state as it now is.
struct SessionViewOps {
  // F1 gave field k another field's answer.
  void (*show_text)(void* instance, int field, const char* text);
  // Field k's verdict label now reads `word`: verdict_text(verdict), or the
  // author's own verdict for an anticipated wrong answer (VERDICT_WRONG).
  void (*show_verdict)(void* instance, int field, Verdict verdict, const char* word);
  // Question n's reveal label is shown or hidden.
  void (*show_reveal)(void* instance, int question, bool shown);
  // Answer mode 1: question n's answer picture takes its question picture's
  // place (and stays, whatever is typed later).
  void (*show_answer_picture)(void* instance, int question);
  // Answer mode 3: a message box with an OK button; returns once it is closed.
  void (*show_message)(void* instance, const char* text, const char* caption);
  // The header's score " n / N" and the code of that score.
  void (*show_score)(void* instance, const char* score, const char* code);
  // A judgement changed what a field holds since the answers were last
  // written or read: the front end writes them now, and calls answers_saved
  // when they are on disk. Null: answers are written only on request.
  void (*save_answers)(void* instance);
};

struct SessionView {
  const SessionViewOps* ops;  // null: nothing is shown
  void* instance;
};

struct SessionField {
  char text[TEXT_SLOT_SIZE];  // as typed: not trimmed, not upper-cased
  Verdict verdict;            // VERDICT_EMPTY ("?") until judged
  const char* word;           // its label's text; lives as long as the document
};

struct QuizSession {
  const QuizDocument* doc;
  SessionView view;
  int per_question;    // fields per question: 1, or 2 in a grid quiz
  int question_count;  // questions on the page, 0 to 96
  int field_count;
  SessionField fields[MAX_ANSWER_FIELDS];  // field k at [k - 1]
  bool revealed[MAX_QUESTIONS];            // question n's reveal label at [n - 1]
  bool all_revealed;                       // answer mode 4: every reveal label shown
  int score;                               // solved questions, as last shown
  bool ended;                              // nothing is judged any more
  // A field holds another text than the answers file last written or read.
  bool unsaved;
};

enum RevealChange { REVEAL_KEPT, REVEAL_SHOWN, REVEAL_HIDDEN };

// What one judgement changed, beside what it showed through the view.
struct Judgement {
  bool judged;           // false for a field not on the page, or once the session ended
  bool answer_changed;   // the field's text differs from the one it held
  bool verdict_changed;  // so does its verdict
  Verdict verdict;
  const char* word;     // the verdict label's text
  int question;         // the field's question
  RevealChange reveal;  // of its reveal label
  bool answer_picture;  // its answer picture is shown (mode 1)
  const char* message;  // the "texte" box shown (mode 3), or null
  bool revealed_all;    // mode 4: every reveal label was shown now
  bool score_changed;
  int score;
};

// Starts a session over `doc`, which must outlive it: every field empty and
// unjudged, nothing revealed, score 0. `view` may be null.
void start_session(QuizSession* session, const QuizDocument* doc, const SessionView* view);

// The fields take the lines of an answers file held in memory, in field
// order; nothing is judged or shown. The page reads a line for every field it
// makes: a grid quiz whose answers per question are neither 1 nor 2 has no
// fields, and its lines are read past.
void restore_answers(QuizSession* session, const void* bytes, size_t size);

// The answers file's bytes: every field's text and CR LF, in field order.
// `out` holds at least ANSWERS_FILE_MAX bytes; returns the count written.
enum { ANSWERS_FILE_MAX = MAX_ANSWER_FIELDS * ANSWER_LINE_SIZE };
size_t write_answers(const QuizSession* session, char* out);

// Field k now holds `text` (cut at 259 bytes), without judging it; true when
// that changed its text (the session is then unsaved).
bool set_answer_text(QuizSession* session, int field, const char* text);

// Field k takes `typed` and is judged: its verdict, then what its question's
// answer mode does when this judgement solves it, mode 4's reveal of
// everything, and the score; last, when an answer is unsaved, the view is
// asked to save. A field judged right again shows no second box
// and no second answer picture.
Judgement judge_field(QuizSession* session, int field, const char* typed);

// Every field judged once with what it holds (answers restored at start):
// verdicts, reveals, answer pictures and the score, but no "texte" box:
// restoring an answer is not finding it.
void judge_all_fields(QuizSession* session);

// F1 in field k: the field is judged with `text`, then every other field not
// yet right takes that text and is judged too; one score at the end.
void spread_answer_text(QuizSession* session, int field, const char* text);

// Counts the solved questions again and shows the score and its code.
void update_score(QuizSession* session);

// The first field not yet right; the first field when all are; 0 without fields.
int first_open_field(const QuizSession* session);

// Whether every field of question n is right.
bool session_question_solved(const QuizSession* session, int question);

// The code shown at the current score: six blanks at 0.
const char* session_code(const QuizSession* session);

// The answers file now holds every field's text: nothing is left to save.
void answers_saved(QuizSession* session);

// From now on nothing is judged: the window is going.
void end_session(QuizSession* session);
