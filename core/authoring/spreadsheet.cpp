// Spreadsheets saved as text: CSV with ";" (as French spreadsheet programs
// save it) or "," between fields, or tab-separated; fields in quotes with
// doubled quotes and line breaks. A small reader of our own: the
// separator and the columns are found from the sheet itself.
#include <cctype>

#include "html_text.h"
#include "question_bank.h"

namespace {

struct Row {
  int line;  // where the row starts
  std::vector<std::string> cells;
};

// The separator a sheet uses: of tab, ";" and ",", the one its first row
// (outside quotes) holds most of; a sheet of one column has none.
char separator_of(const std::string& text) {
  int tabs = 0, semicolons = 0, commas = 0;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if ((c == '\n' || c == '\r')) break;
    tabs += c == '\t', semicolons += c == ';', commas += c == ',';
  }
  if (tabs >= semicolons && tabs >= commas && tabs > 0) return '\t';
  if (semicolons >= commas && semicolons > 0) return ';';
  return commas > 0 ? ',' : '\t';
}

// RFC 4180 with any line end: a quoted field holds separators, line breaks
// and doubled quotes.
std::vector<Row> rows_of(const std::string& text, char separator) {
  std::vector<Row> rows;
  Row row{1, {}};
  std::string cell;
  bool quoted = false, any = false;
  int line = 1;
  for (size_t at = 0; at < text.size(); ++at) {
    char c = text[at];
    if (c == '\n' || (c == '\r' && (at + 1 >= text.size() || text[at + 1] != '\n'))) ++line;
    if (quoted) {
      if (c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
        cell += '"';
        ++at;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
      continue;
    }
    if (c == '"') {
      quoted = true;
      any = true;
    } else if (c == separator) {
      row.cells.push_back(cell);
      cell.clear();
      any = true;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') continue;
      if (any || !cell.empty()) {
        row.cells.push_back(cell);
        rows.push_back(row);
      }
      row = Row{line, {}};
      cell.clear();
      any = false;
    } else {
      cell += c;
    }
  }
  if (any || !cell.empty()) {
    row.cells.push_back(cell);
    rows.push_back(row);
  }
  return rows;
}

enum Column { IGNORED, QUESTION, ANSWER, ALSO, PICTURE, ANSWER_PICTURE, REVEAL, UNKNOWN };

// A column's name as compared: lower case, accents and blanks aside.
std::string folded(const std::string& name) {
  std::string text = collapse_blanks(name), out;
  static const char* const ACCENTED[][2] = {
      {"\xC3\xA9", "e"}, {"\xC3\xA8", "e"}, {"\xC3\xAA", "e"}, {"\xC3\xAB", "e"},
      {"\xC3\xA0", "a"}, {"\xC3\xA2", "a"}, {"\xC3\xAE", "i"}, {"\xC3\xAF", "i"},
      {"\xC3\xB4", "o"}, {"\xC3\xB9", "u"}, {"\xC3\xBB", "u"}, {"\xC3\xA7", "c"},
      {"\xC3\x89", "e"}, {"\xC3\x88", "e"}, {"\xC3\x80", "a"}, {"\xC3\x87", "c"}};
  for (size_t at = 0; at < text.size();) {
    bool replaced = false;
    for (const auto& pair : ACCENTED)
      if (text.compare(at, 2, pair[0]) == 0) {
        out += pair[1];
        at += 2;
        replaced = true;
        break;
      }
    if (replaced) continue;
    char c = char(tolower(static_cast<unsigned char>(text[at++])));
    if (c != ' ' && c != '_' && c != '-' && c != '\'' && c != ':' && c != '.') out += c;
  }
  return out;
}

// The words that name each column, in French and in English, as compared.
Column column_named(const std::string& name) {
  static const struct {
    const char* word;
    Column column;
  } WORDS[] = {
      {"question", QUESTION},
      {"questions", QUESTION},
      {"intitule", QUESTION},
      {"enonce", QUESTION},
      {"texte", QUESTION},
      {"textedelaquestion", QUESTION},
      {"text", QUESTION},
      {"reponse", ANSWER},
      {"bonnereponse", ANSWER},
      {"reponseattendue", ANSWER},
      {"solution", ANSWER},
      {"answer", ANSWER},
      {"autresreponses", ALSO},
      {"autrereponse", ALSO},
      {"reponsesacceptees", ALSO},
      {"variantes", ALSO},
      {"otheranswers", ALSO},
      {"also", ALSO},
      {"image", PICTURE},
      {"images", PICTURE},
      {"photo", PICTURE},
      {"illustration", PICTURE},
      {"picture", PICTURE},
      {"imagereponse", ANSWER_PICTURE},
      {"imagedelareponse", ANSWER_PICTURE},
      {"answerpicture", ANSWER_PICTURE},
      {"texterevele", REVEAL},
      {"revele", REVEAL},
      {"explication", REVEAL},
      {"reveal", REVEAL},
      {"n", IGNORED},
      {"no", IGNORED},
      {"numero", IGNORED},
      {"#", IGNORED},
      {"number", IGNORED},
      {"n\xC2\xB0", IGNORED},
      {"", IGNORED},
  };
  std::string key = folded(name);
  for (const auto& w : WORDS)
    if (key == w.word) return w.column;
  return UNKNOWN;
}

// Other accepted answers in one cell: one per line, or between "|" or ";".
std::vector<std::string> answers_in(const std::string& cell) {
  std::vector<std::string> answers;
  std::string one;
  for (char c : cell + "\n") {
    if (c == '|' || c == ';' || c == '\n' || c == '\r') {
      one = collapse_blanks(one);
      if (!one.empty()) answers.push_back(one);
      one.clear();
    } else {
      one += c;
    }
  }
  return answers;
}

// A reveal text keeps its line breaks; tabs are blanks.
std::string reveal_text(const std::string& cell) {
  std::string text = cell;
  for (char& c : text)
    if (c == '\t') c = ' ';
  size_t first = text.find_first_not_of(" \r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \r\n") - first + 1);
}

}  // namespace

void read_spreadsheet(const std::string& text, const std::string& file, QuestionBank* bank,
                      Diagnostics* diagnostics) {
  std::vector<Row> rows = rows_of(text, separator_of(text));
  if (rows.empty()) return;
  // A first row of column names, or else the columns in their usual order.
  std::vector<Column> columns;
  bool named = false;
  for (const std::string& cell : rows[0].cells) {
    columns.push_back(column_named(cell));
    named = named || columns.back() == QUESTION || columns.back() == ANSWER;
  }
  size_t first = 1;
  if (!named) {
    columns = {QUESTION, ANSWER, ALSO, PICTURE, REVEAL};
    first = 0;
    diagnostics->warning(file, rows[0].line, MSG_IMPORT_NO_HEADER);
  } else {
    for (size_t i = 0; i < columns.size(); ++i)
      if (columns[i] == UNKNOWN)
        diagnostics->warning(
            file, rows[0].line,
            Message(MSG_IMPORT_UNKNOWN_COLUMN, {collapse_blanks(rows[0].cells[i])}));
  }
  for (size_t r = first; r < rows.size(); ++r) {
    const Row& row = rows[r];
    bool empty = true;
    for (const std::string& cell : row.cells) empty = empty && collapse_blanks(cell).empty();
    if (empty) continue;
    if (row.cells.size() > columns.size()) {
      bool extra = false;
      for (size_t i = columns.size(); i < row.cells.size(); ++i)
        extra = extra || !collapse_blanks(row.cells[i]).empty();
      if (extra)
        diagnostics->warning(
            file, row.line,
            Message(MSG_IMPORT_EXTRA_CELLS, {number(row.cells.size()), number(columns.size())}));
    }
    BankQuestion q;
    q.line = row.line;
    bool answered = false;
    for (size_t i = 0; i < columns.size() && i < row.cells.size(); ++i) {
      const std::string& cell = row.cells[i];
      switch (columns[i]) {
        case QUESTION: q.text = collapse_blanks(cell); break;
        case ANSWER:
          q.answers[0].insert(q.answers[0].begin(), collapse_blanks(cell));
          answered = true;
          break;
        case ALSO:
          for (const std::string& a : answers_in(cell)) q.answers[0].push_back(a);
          break;
        case PICTURE: q.picture = collapse_blanks(cell); break;
        case ANSWER_PICTURE: q.answer_picture = collapse_blanks(cell); break;
        case REVEAL: q.reveal = reveal_text(cell); break;
        default: break;
      }
    }
    if (!answered) q.answers[0].insert(q.answers[0].begin(), "");
    bank->questions.push_back(q);
  }
}
