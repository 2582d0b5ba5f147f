// The verdict ladder: how a typed answer is judged against the expected one.
// Portable; the player's evaluation and `quizpack try` both call it.
#pragma once

enum Verdict {
  VERDICT_EMPTY,      // "?": nothing typed
  VERDICT_RIGHT,      // "BRAVO"
  VERDICT_ANAGRAM,    // "Anagramme"
  VERDICT_ONE_EDIT,   // "Quasiment"
  VERDICT_TWO_EDITS,  // "Presque"
  VERDICT_TOO_SHORT,  // "Trop court"
  VERDICT_NOT_FAR,    // "pas loin"
  VERDICT_TOO_LONG,   // "Trop long"
  VERDICT_SIMILAR,    // "y a de l'idée"
  VERDICT_WRONG,      // "FAUX"
  // Given only when the quiz asks for it (judging.h):
  VERDICT_ACCENTS,  // "Accents": right but for its accents
};
// Every verdict lies from VERDICT_EMPTY to this one: a verdict added after it
// moves it, so that whatever goes through every verdict finds the new one.
const Verdict LAST_VERDICT = VERDICT_ACCENTS;

// What a verdict label is painted with.
enum VerdictColour {
  VERDICT_PLAIN,   // the platform's own look: nothing judged yet
  VERDICT_GREEN,   // right
  VERDICT_ORANGE,  // an anagram
  VERDICT_AMBER,   // every near miss: the hint colour
  VERDICT_RED,     // wrong
};
VerdictColour verdict_colour(Verdict verdict);

// The colour of a label by its text: that of the verdict whose word it is;
// any other text (the verdict an author wrote for an anticipated wrong
// answer) is a hint.
VerdictColour label_colour(const char* label);

// The word shown in the verdict label, in Windows-1252.
const char* verdict_text(Verdict verdict);

// Only this word means solved, compared exactly.
extern const char RIGHT_WORD[];  // "BRAVO"

// Normalises a typed answer in place: blanks trimmed, a to z upper-cased.
void normalise_typed(char* text);
// Normalises an expected answer in place: upper-cased only, never trimmed.
void normalise_expected(char* text);

// Judges `typed` against `expected`, both as stored (not yet normalised).
Verdict judge_answer(const char* expected, const char* typed);

// The ladder on two texts already normalised: "BRAVO" when they are equal,
// otherwise the first row that matches. `typed` is not empty.
Verdict ladder_verdict(const char* expected, const char* typed);

// Whether a typed answer equals the expected one once both are normalised.
bool answer_matches(const char* expected, const char* typed);
