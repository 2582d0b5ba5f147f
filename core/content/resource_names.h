// The resources a quiz carries in the player: their type names and numbers,
// one definition for the loader, the pictures, the clips and the tests.
#pragma once

enum : int {
  CONTENT_RESOURCE = 104,         // "PATCH": the quiz's texts, answers and colours
  CODES_RESOURCE = 105,           // "PATCH": one reward code per score
  QUESTION_MEDIA_RESOURCE = 400,  // "IMG" + n: the picture or clip of question n
  ANSWER_MEDIA_RESOURCE = 10400,  // "IMG" + n: the picture shown once question n is solved
};

inline constexpr char CONTENT_RESOURCE_TYPE[] = "PATCH";
inline constexpr char MEDIA_RESOURCE_TYPE[] = "IMG";
