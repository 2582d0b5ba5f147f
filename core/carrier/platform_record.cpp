#include "platform_record.h"

#include <cstdio>

namespace {

const char FORM_VERSION = '1';
const char EVERY_ANSWER = '=', FIRST_ANSWERS = '<';
const char SEPARATOR = '|', ESCAPE = '%';

bool kept_as_is(unsigned char c) { return c >= ' ' && c <= '~' && c != SEPARATOR && c != ESCAPE; }

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string escaped(const char* text) {
  std::string out;
  for (const char* c = text; *c; ++c) {
    if (kept_as_is(uint8_t(*c))) {
      out += *c;
    } else {
      char code[4];
      snprintf(code, sizeof code, "%%%02X", uint8_t(*c));
      out += code;
    }
  }
  return out;
}

}  // namespace

PlatformScore platform_score(const QuizSession* session, double mastery) {
  PlatformScore score = {session->score, session->question_count, "incomplete"};
  if (mastery > 0) {
    bool all_answered = session->field_count > 0;
    for (int k = 0; k < session->field_count; ++k)
      all_answered = all_answered && session->fields[k].text[0] != 0;
    if (score.raw >= mastery)
      score.status = "passed";
    else if (all_answered)
      score.status = "failed";
  } else if (score.max > 0 && score.raw >= score.max) {
    score.status = "completed";
  }
  return score;
}

CompactAnswers compact_answers(const void* answers, size_t size, int field_count, size_t limit) {
  AnswersReader reader;
  start_answers(&reader, answers, size);
  std::string fields[MAX_ANSWER_FIELDS];
  int count = 0, last = 0;  // fields read; fields up to the last non-empty one
  char slot[TEXT_SLOT_SIZE];
  while (count < field_count && count < MAX_ANSWER_FIELDS) {
    read_answer_line(&reader, slot);
    fields[count++] = escaped(slot);
    if (slot[0]) last = count;
  }
  CompactAnswers out = {"", 0, true};
  std::string body;
  for (int k = 0; k < last; ++k) {
    std::string next = body + (k ? "|" : "") + fields[k];
    if (next.size() + 2 > limit) {
      out.complete = false;
      break;
    }
    body = next;
    out.fields = k + 1;
  }
  if (out.complete) out.fields = count;
  out.text = std::string(1, FORM_VERSION) + (out.complete ? EVERY_ANSWER : FIRST_ANSWERS) + body;
  return out;
}

bool expand_answers(const std::string& text, std::string* answers, bool* complete) {
  answers->clear();
  if (text.size() < 2 || text[0] != FORM_VERSION ||
      (text[1] != EVERY_ANSWER && text[1] != FIRST_ANSWERS))
    return false;
  *complete = text[1] == EVERY_ANSWER;
  std::string line;
  size_t lines = 0;
  for (size_t i = 2; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == SEPARATOR) {
      if (line.size() > TEXT_SLOT_MAX || ++lines > MAX_ANSWER_FIELDS) return false;
      *answers += line + ANSWER_LINE_END;
      line.clear();
      continue;
    }
    char c = text[i];
    if (c == ESCAPE) {
      int high = i + 2 < text.size() ? hex_value(text[i + 1]) : -1;
      int low = high >= 0 ? hex_value(text[i + 2]) : -1;
      if (low < 0) return false;
      c = char(high << 4 | low);
      i += 2;
      if (c == 0 || c == '\r') return false;
    } else if (!kept_as_is(uint8_t(c))) {
      return false;
    }
    line += c;
  }
  if (text.size() == 2) answers->clear();  // no field kept
  return true;
}
