// A quiz as a SCORM 1.2 package for school platforms: a zip of the manifest
// (imsmanifest.xml: one organisation, one item named after the quiz, one
// SCO) and the quiz page, its launch page. The page finds the platform's
// run-time itself; the manifest gives the platform the quiz's title and its
// mastery score.
#pragma once

#include <string>

// The launch page's name inside the package.
inline constexpr char SCORM_PAGE_NAME[] = "quiz.html";

// The manifest for a page of `title` (UTF-8); a mastery score above 0 is the
// solved questions a learner needs to pass. `identifier` tells packages apart.
std::string scorm_manifest(const std::string& title, int mastery_score,
                           const std::string& identifier);

// The package of a quiz page. False with `problem` when it cannot be written.
bool write_scorm_package(const std::string& page, const std::string& title, int mastery_score,
                         std::string* package, std::string* problem);
