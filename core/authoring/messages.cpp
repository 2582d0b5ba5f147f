#include "messages.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

struct Wording {
  char join;
  const char* english;
  const char* french;
};

const Wording CATALOGUE[] = {
    {' ', "{0}", "{0}"},  // MSG_LITERAL, never looked up
#define MESSAGE(id, join, english, french) {join, english, french},
#include "messages.inc"
#undef MESSAGE
};
static_assert(sizeof CATALOGUE / sizeof CATALOGUE[0] == MSG_COUNT, "one wording per id");

// The word of {n|singular|plural} for `count`: French takes the singular for
// 0 and 1, English for 1 alone.
std::string agreeing(const std::string& count, const std::string& words, Language language) {
  size_t bar = words.find('|');
  long n = std::strtol(count.c_str(), nullptr, 10);
  bool singular = language == Language::FRENCH ? (n == 0 || n == 1 || n == -1) : n == 1;
  return singular ? words.substr(0, bar) : words.substr(bar + 1);
}

}  // namespace

Message number(long long value) { return Message(std::to_string(value)); }

Message decimal(long long value, int decimals) {
  long long scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  std::string fraction = std::to_string(value % scale);
  fraction.insert(0, decimals - fraction.size(), '0');
  return Message(MSG_DECIMAL, {number(value / scale), fraction});
}

std::string say(const Message& message, Language language) {
  if (message.id == MSG_LITERAL) return message.literal;
  const Wording& w = CATALOGUE[message.id < MSG_COUNT ? message.id : 0];
  const char* p = language == Language::FRENCH ? w.french : w.english;
  std::string out;
  while (*p) {
    const char* close = p[0] == '{' ? strchr(p, '}') : nullptr;
    if (!close || p[1] < '0' || p[1] > '9') {
      out += *p++;
      continue;
    }
    size_t index = size_t(p[1] - '0');
    std::string arg = index < message.args.size() ? say(message.args[index], language) : "";
    if (p[2] == '|')
      out += agreeing(arg, std::string(p + 3, close), language);
    else
      out += arg;
    p = close + 1;
  }
  return out;
}

Message system_reason(int error_number) {
  switch (error_number) {
    case ENOENT: return MSG_REASON_NO_FILE;
    case EACCES:
    case EPERM: return MSG_REASON_DENIED;
    case EISDIR: return MSG_REASON_FOLDER;
    case ENOTDIR: return MSG_REASON_NOT_FOLDER;
    case ENOSPC: return MSG_REASON_NO_SPACE;
    case EROFS: return MSG_REASON_READ_ONLY;
    case ENAMETOOLONG: return MSG_REASON_NAME_TOO_LONG;
    case ENOMEM: return MSG_REASON_NO_MEMORY;
    case EEXIST: return MSG_REASON_EXISTS;
    default: return Message(strerror(error_number));
  }
}

char english_join(MessageId id) { return id < MSG_COUNT ? CATALOGUE[id].join : ' '; }

const char* wording(MessageId id, Language language) {
  if (id >= MSG_COUNT) return "";
  return language == Language::FRENCH ? CATALOGUE[id].french : CATALOGUE[id].english;
}

Language language_of_locale(const std::string& name) {
  bool french =
      name.size() >= 2 && (name[0] == 'f' || name[0] == 'F') &&
      (name[1] == 'r' || name[1] == 'R') &&
      (name.size() == 2 || name[2] == '_' || name[2] == '-' || name[2] == '.' || name[2] == '@');
  return french ? Language::FRENCH : Language::ENGLISH;
}
