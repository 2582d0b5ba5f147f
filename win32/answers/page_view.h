// The question page as the view of its quiz session: verdict labels, reveal
// labels, answer pictures, the "texte" box and the header panel's score and
// code, shown as the session reports them.
#pragma once

#include <windows.h>

#include "core/answers/quiz_session.h"
#include "win32/page/question_page.h"

// The view table the page gives its session; the instance is its PageState.
extern const SessionViewOps PAGE_VIEW;

// The question page as the player makes it: fields that judge themselves,
// the page the session's view, clips from `media` (may be null).
PageSetup answering_page(QuizDocument* doc, MediaHost* media);
