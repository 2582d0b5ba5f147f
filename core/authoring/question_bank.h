// Questions where teachers keep them: GIFT and Moodle XML (a learning
// platform's question bank) and spreadsheets saved as CSV or tab-separated
// text. Imported into a quiz as short-answer questions; a quiz's questions
// exported to GIFT or Moodle XML.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "diagnostics.h"
#include "quiz_form.h"

// A question as the readers find it and the writers write it (UTF-8).
struct BankQuestion {
  int line = 0;    // where it starts in its file
  int fields = 1;  // its answer fields: two for an embedded-answers question of two blanks
  std::string text;
  // Per answer field: the answer, then the other accepted ones.
  std::vector<std::string> answers[2];
  // Per answer field: anticipated wrong answers and what the player says.
  std::vector<std::pair<std::string, std::string>> wrong[2];
  std::string reveal;                   // a spreadsheet's reveal text, Moodle's general feedback
  std::string picture, answer_picture;  // a spreadsheet's files, as it names them
};

struct QuestionBank {
  std::string title;  // a category's name; empty for none
  int fields = 1;     // answer fields per question
  std::string labels[2];
  std::vector<BankQuestion> questions;
};

enum class BankFormat { UNKNOWN, GIFT, MOODLE_XML, SPREADSHEET };

// The format of a file of questions, by its name and its first bytes.
BankFormat bank_format(const std::string& name, const std::string& bytes);

// The readers: every question they can ask goes to `bank`; what they leave
// out, and why, to `diagnostics` (under `file`, with the line). `text` is
// UTF-8 (text_of_bytes); Moodle XML is read from its bytes.
void read_gift(const std::string& text, const std::string& file, QuestionBank* bank,
               Diagnostics* diagnostics);
void read_moodle_xml(const std::string& bytes, const std::string& file, QuestionBank* bank,
                     Diagnostics* diagnostics);
void read_spreadsheet(const std::string& text, const std::string& file, QuestionBank* bank,
                      Diagnostics* diagnostics);

// A text file's characters in UTF-8: UTF-8 with or without its byte order
// mark, UTF-16 with one (a spreadsheet's "Unicode text"), and otherwise
// Windows-1252 (what a French spreadsheet program saves).
std::string text_of_bytes(const std::string& bytes);

// The quiz of a file of questions, named `file`: a text quiz, or a picture
// quiz when a spreadsheet names pictures (`media_exists` tells whether one
// is there, as the sheet names it). Questions the player cannot hold (texts
// over 259 bytes, characters without a Windows-1252 form, empty answers, the
// 97th and later) are left out and told with their line; the rest are kept,
// as the source's checks take them. False when no question is left.
struct ImportedQuiz {
  QuizForm form;
  int left_out = 0;  // questions found and not kept
};
bool import_questions(const std::string& bytes, const std::string& file, ImportedQuiz* imported,
                      Diagnostics* diagnostics,
                      const std::function<bool(const std::string&)>& media_exists = nullptr);

// A message of import as the studio shows it: "ligne 12 : question laissée
// de côté : ...".
std::string import_message_french(const Diagnostic& diagnostic);

// A quiz's questions for a learning platform, as short-answer questions
// with their accepted and anticipated wrong answers: GIFT (one answer field
// only) or Moodle XML (two fields as one question with two blanks). False
// with the problem in `diagnostics`.
bool export_gift(const QuizSource& quiz, Language language, std::string* out,
                 Diagnostics* diagnostics);
std::string export_moodle_xml(const QuizSource& quiz, Language language);

// The bank a checked quiz makes, as the writers take it.
QuestionBank bank_of_quiz(const QuizSource& quiz);
