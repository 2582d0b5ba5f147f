// What the fuzz targets of the three readers of questions check: any bytes
// imported end with a verdict, every message names a line of the file (or
// none) in both languages; a quiz imported is a source the checks take, and
// its questions exported to Moodle XML and imported again are the same.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/authoring/question_bank.h"

// Stops the run on a broken promise, saying which.
#define expect(condition)                                                    \
  do {                                                                       \
    if (!(condition)) {                                                      \
      fprintf(stderr, "fuzz: broken: %s (line %d)\n", #condition, __LINE__); \
      abort();                                                               \
    }                                                                        \
  } while (0)

inline void fuzz_import(const uint8_t* data, size_t size, const char* name) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  ImportedQuiz imported;
  Diagnostics diagnostics;
  bool ok = import_questions(bytes, name, &imported, &diagnostics);
  expect(ok != diagnostics.has_errors());
  int lines = 1;  // CR, LF and CR LF each end a line
  for (size_t i = 0; i < size; ++i)
    lines += bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == size || bytes[i + 1] != '\n'));
  for (const Diagnostic& d : diagnostics.list())
    expect(d.line >= 0 && d.line <= lines && !d.text().empty() &&
           !d.text(Language::FRENCH).empty());
  if (!ok) return;
  const QuizForm& form = imported.form;
  expect(!form.questions.empty() && form.questions.size() <= QUIZ_MAX_QUESTIONS);
  QuizSource quiz;
  Diagnostics checks;
  expect(parse_quiz_source(write_form_source(form), "fuzz.toml", &quiz, &checks));
  // A picture quiz's question without text is its picture, which stays in
  // the quiz: among questions with texts it cannot come back.
  size_t untitled = 0;
  for (const FormQuestion& q : form.questions) untitled += q.text.empty();
  if (untitled > 0 && untitled < form.questions.size()) return;
  ImportedQuiz again;
  Diagnostics back;
  expect(import_questions(export_moodle_xml(quiz, Language::ENGLISH), "again.xml", &again, &back));
  expect(again.form.answers == form.answers &&
         again.form.questions.size() == form.questions.size());
  for (size_t i = 0; i < form.questions.size(); ++i)
    for (int j = 0; j < form.answers; ++j) {
      const FormQuestion &a = form.questions[i], &b = again.form.questions[i];
      expect(a.text == b.text && a.answer[j] == b.answer[j] && a.also[j] == b.also[j] &&
             a.wrong[j].size() == b.wrong[j].size());
    }
}
