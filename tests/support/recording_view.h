// A session view for tests: it records every change the session shows, in
// order, as short lines ("verdict 2 BRAVO", "reveal 1 shown", "picture 3",
// "message texte: Voici 2", "score  1 / 3 CODE-1", "text 4 Paris").
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/answers/quiz_session.h"

struct RecordingView {
  std::vector<std::string> calls;
  // Runs inside show_message, as a message box's own loop runs other messages.
  std::function<void()> during_message;

  // Also records "save" when the session asks for its answers to be written;
  // the save succeeds unless `saves_fail`.
  bool records_saves = false;
  bool saves_fail = false;
  QuizSession* saved_session = nullptr;  // told answers_saved on success

  SessionView view() { return {records_saves ? &SAVING_OPS : &OPS, this}; }
  // The calls since the last take, and forgets them.
  std::vector<std::string> take() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
  }

 private:
  static RecordingView* self(void* instance) { return static_cast<RecordingView*>(instance); }
  static void show_text(void* v, int field, const char* text) {
    self(v)->calls.push_back("text " + std::to_string(field) + " " + text);
  }
  static void show_verdict(void* v, int field, Verdict, const char* word) {
    self(v)->calls.push_back("verdict " + std::to_string(field) + " " + word);
  }
  static void show_reveal(void* v, int question, bool shown) {
    self(v)->calls.push_back("reveal " + std::to_string(question) + (shown ? " shown" : " hidden"));
  }
  static void show_answer_picture(void* v, int question) {
    self(v)->calls.push_back("picture " + std::to_string(question));
  }
  static void show_message(void* v, const char* text, const char* caption) {
    self(v)->calls.push_back(std::string("message ") + caption + ": " + text);
    if (self(v)->during_message) self(v)->during_message();
  }
  static void show_score(void* v, const char* score, const char* code) {
    self(v)->calls.push_back(std::string("score ") + score + " " + code);
  }
  static void save_answers(void* v) {
    self(v)->calls.push_back("save");
    if (!self(v)->saves_fail && self(v)->saved_session) answers_saved(self(v)->saved_session);
  }
  static constexpr SessionViewOps OPS = {
      show_text, show_verdict, show_reveal, show_answer_picture, show_message, show_score, nullptr};
  static constexpr SessionViewOps SAVING_OPS = {show_text,           show_verdict, show_reveal,
                                                show_answer_picture, show_message, show_score,
                                                save_answers};
};
