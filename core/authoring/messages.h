// Every message quizpack and the studio give an author, in one catalogue
// (messages.inc): an id each, with its English and its French wording. Code
// says which message it means and with what; the words are chosen when the
// message is shown, in the author's language.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class Language { ENGLISH, FRENCH };

enum MessageId : uint16_t {
  MSG_LITERAL,  // a text of the author's or the system's, the same in every language
#define MESSAGE(id, join, english, french) MSG_##id,
#include "messages.inc"
#undef MESSAGE
  MSG_COUNT
};

// A message and what fills its blanks: texts, numbers, or messages of their
// own (a reason inside a problem), said in the same language.
struct Message {
  MessageId id = MSG_LITERAL;
  std::string literal;  // MSG_LITERAL only
  std::vector<Message> args;

  Message() = default;
  Message(const char* text) : literal(text) {}
  Message(std::string text) : literal(std::move(text)) {}
  Message(MessageId message, std::vector<Message> arguments = {})
      : id(message), args(std::move(arguments)) {}
  bool empty() const { return id == MSG_LITERAL && literal.empty(); }
};

// A number as a message's argument.
Message number(long long value);
// `value` / 10^`decimals` (value >= 0), with the language's decimal mark:
// "20.3" in English, "20,3" in French.
Message decimal(long long value, int decimals);

// The message in `language`. In a wording, {0} is the first argument,
// {0|word|words} the word for the count the first argument holds (one in
// English for 1, in French for 0 and 1).
std::string say(const Message& message, Language language);

// How a message about something joins its name in English: "title is ..."
// (' ') or "question 2: unknown key ..." (':'). French always puts " : ".
char english_join(MessageId id);

// The wording of a message in a language, blanks and all (for tests).
const char* wording(MessageId id, Language language);

// Why a file could not be read or written, for a C library error number:
// the catalogue's words for the usual ones, the C library's for the others.
Message system_reason(int error_number);

// Which language the author reads: French for a locale name or language tag
// that is French ("fr_FR.UTF-8", "fr", "fr-CA"), English otherwise.
Language language_of_locale(const std::string& name);
