#include "judging_options.h"

#include <cstdlib>
#include <cstring>

#include "text_slot.h"

const char JUDGING_SIGNATURE[JUDGING_SIGNATURE_SIZE + 1] = "JUGE";

namespace {

const unsigned char SEPARATOR = '|';

// Reads the block once to check it and measure its texts (`pool` null), then
// again to copy them: both passes run the same code, so what is copied is
// exactly what was checked.
class BlockReader {
 public:
  BlockReader(const unsigned char* bytes, size_t length, char* pool)
      : bytes_(bytes), length_(length), pool_(pool) {}

  bool byte(unsigned char* value) {
    if (position_ >= length_) return false;
    *value = bytes_[position_++];
    return true;
  }

  // A "|"-ended text of 1 to 259 bytes without a zero byte, into the pool.
  bool text() {
    size_t start = position_;
    while (position_ < length_ && bytes_[position_] != SEPARATOR) {
      if (bytes_[position_] == 0) return false;
      ++position_;
    }
    size_t size = position_ - start;
    if (position_ >= length_ || size == 0 || size > TEXT_SLOT_MAX) return false;
    ++position_;
    if (pool_) {
      memcpy(pool_ + used_, bytes_ + start, size);
      pool_[used_ + size] = 0;
    }
    used_ += size + 1;
    return true;
  }

  bool at_end() const { return position_ == length_; }
  size_t used() const { return used_; }

 private:
  const unsigned char* bytes_;
  size_t length_, position_ = 0;
  char* pool_;
  size_t used_ = 0;
};

bool read_field(BlockReader* reader, FieldOptions* field) {
  unsigned char alternatives, wrong_answers;
  field->first_text = uint32_t(reader->used());
  if (!reader->byte(&alternatives) || alternatives > JUDGING_MAX_ALTERNATIVES) return false;
  for (int i = 0; i < alternatives; ++i)
    if (!reader->text()) return false;
  if (!reader->byte(&wrong_answers) || wrong_answers > JUDGING_MAX_WRONG_ANSWERS) return false;
  for (int i = 0; i < 2 * wrong_answers; ++i)
    if (!reader->text()) return false;
  field->alternatives = alternatives;
  field->wrong_answers = wrong_answers;
  return true;
}

// Rules of `size` bytes (1 or 2), low byte first; every byte 0xFF is
// JUDGING_AS_QUIZ, taken only where `as_quiz` allows it.
bool read_rules(BlockReader* reader, int size, bool as_quiz, JudgingFlags* flags) {
  unsigned char low, high = 0;
  if (!reader->byte(&low) || (size == 2 && !reader->byte(&high))) return false;
  bool every_ff = low == 0xFF && (size == 1 || high == 0xFF);
  if (every_ff) {
    *flags = JUDGING_AS_QUIZ;
    return as_quiz;
  }
  *flags = JudgingFlags(low | high << 8);
  return judging_flags_known(*flags);
}

bool read_block(BlockReader* reader, int question_count, int answers, JudgingOptions* out) {
  for (int i = 0; i < JUDGING_SIGNATURE_SIZE; ++i) {
    unsigned char byte;
    if (!reader->byte(&byte) || byte != static_cast<unsigned char>(JUDGING_SIGNATURE[i]))
      return false;
  }
  unsigned char version, records;
  if (!reader->byte(&version) || version < 1 || version > JUDGING_VERSION) return false;
  // Version 1 has no second rules byte: its rules are all in the first.
  int size = version == 1 ? 1 : 2;
  if (!read_rules(reader, size, false, &out->quiz_flags)) return false;
  if (!reader->byte(&records) || records > question_count) return false;
  for (int n = 0; n < JUDGING_QUESTIONS; ++n) out->question_flags[n] = JUDGING_AS_QUIZ;
  int last = 0;
  for (int r = 0; r < records; ++r) {
    unsigned char number;
    JudgingFlags own;
    if (!reader->byte(&number) || number <= last || number > question_count) return false;
    if (!read_rules(reader, size, true, &own)) return false;
    last = number;
    out->question_flags[number - 1] = own;
    for (int j = 1; j <= answers; ++j)
      if (!read_field(reader, &out->fields[2 * (number - 1) + j - 1])) return false;
  }
  return reader->at_end();
}

}  // namespace

JudgingRules rules_from_flags(JudgingFlags flags) {
  JudgingRules rules;
  rules.accented_case = (flags & JUDGE_ACCENTED_CASE) != 0;
  rules.accents = AccentRule((flags & JUDGE_ACCENT_MASK) >> JUDGE_ACCENT_SHIFT);
  rules.articles = (flags & JUDGE_ARTICLES) != 0;
  rules.hyphens = (flags & JUDGE_HYPHENS) != 0;
  rules.punctuation = (flags & JUDGE_PUNCTUATION) != 0;
  rules.ligatures = (flags & JUDGE_LIGATURES) != 0;
  rules.unaccented_capitals = (flags & JUDGE_UNACCENTED_CAPITALS) != 0;
  rules.numbers = (flags & JUDGE_NUMBERS) != 0;
  rules.optional_circumflex = (flags & JUDGE_OPTIONAL_CIRCUMFLEX) != 0;
  rules.capital_articles = (flags & JUDGE_CAPITAL_ARTICLES) != 0;
  return rules;
}

JudgingFlags flags_from_rules(const JudgingRules& rules) {
  return JudgingFlags(
      (rules.accented_case ? JUDGE_ACCENTED_CASE : 0) | (rules.accents << JUDGE_ACCENT_SHIFT) |
      (rules.articles ? JUDGE_ARTICLES : 0) | (rules.hyphens ? JUDGE_HYPHENS : 0) |
      (rules.punctuation ? JUDGE_PUNCTUATION : 0) | (rules.ligatures ? JUDGE_LIGATURES : 0) |
      (rules.unaccented_capitals ? JUDGE_UNACCENTED_CAPITALS : 0) |
      (rules.numbers ? JUDGE_NUMBERS : 0) |
      (rules.optional_circumflex ? JUDGE_OPTIONAL_CIRCUMFLEX : 0) |
      (rules.capital_articles ? JUDGE_CAPITAL_ARTICLES : 0));
}

bool judging_flags_known(JudgingFlags flags) {
  return (flags & ~JUDGE_KNOWN_FLAGS) == 0 &&
         ((flags & JUDGE_ACCENT_MASK) >> JUDGE_ACCENT_SHIFT) <= ACCENTS_IGNORED;
}

bool read_judging_options(const unsigned char* bytes, size_t length, int question_count,
                          int answers_per_question, JudgingOptions* options) {
  if (question_count < 0) question_count = 0;
  if (question_count > JUDGING_QUESTIONS) question_count = JUDGING_QUESTIONS;
  int answers = answers_per_question == 2 ? 2 : 1;
  JudgingOptions read = {};
  BlockReader measure(bytes, length, nullptr);
  if (!read_block(&measure, question_count, answers, &read)) return false;
  char* pool = static_cast<char*>(malloc(measure.used() ? measure.used() : 1));
  if (!pool) return false;
  read = {};
  BlockReader copy(bytes, length, pool);
  read_block(&copy, question_count, answers, &read);
  read.present = 1;
  read.texts = pool;
  read.texts_size = uint32_t(copy.used());
  release_judging_options(options);
  *options = read;
  return true;
}

void release_judging_options(JudgingOptions* options) {
  free(options->texts);
  *options = {};
}

JudgingRules judging_rules(const JudgingOptions* options, int question) {
  JudgingFlags flags = options->quiz_flags;
  if (question >= 1 && question <= JUDGING_QUESTIONS &&
      options->question_flags[question - 1] != JUDGING_AS_QUIZ && options->present)
    flags = options->question_flags[question - 1];
  return rules_from_flags(flags);
}

const FieldOptions* judging_field(const JudgingOptions* options, int question, int answer) {
  if (!options->present || question < 1 || question > JUDGING_QUESTIONS || answer < 1 || answer > 2)
    return nullptr;
  return &options->fields[2 * (question - 1) + answer - 1];
}

const char* judging_text(const JudgingOptions* options, const FieldOptions* field, int index) {
  if (!field || index < 0 || index >= field->alternatives + 2 * field->wrong_answers)
    return nullptr;
  const char* text = options->texts + field->first_text;
  for (int i = 0; i < index; ++i) text += strlen(text) + 1;
  return text;
}
