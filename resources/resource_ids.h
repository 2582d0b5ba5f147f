// Resource ids shared by the resource script and the code, and the ids of
// the controls the header panel makes in code (the session's view writes the
// score and the code into two of them; drivers from outside read them).
// Plain defines: the resource compiler reads this file too.
#pragma once

#define IDD_QUESTION_PAGE 1001
#define IDD_HEADER_PANEL 1002
#define IDC_HAND_POINTER 1003
#define IDI_PLAY 1004
#define IDI_STOP 1005

// HeaderPanel controls.
#define HYPERLINK_LABEL 24
#define AUTHOR_CAPTION 25
#define AUTHOR_LABEL 26
#define SAVE_BUTTON 27
#define EXPLANATION_LABEL 28
#define TITLE_LABEL 29
#define CODE_BOX 30
#define CODE_CAPTION 31
#define SCORE_LABEL 32
#define SEPARATOR_UNDER_SCORE 120
#define SEPARATOR_LEFT 121
#define SEPARATOR_RIGHT 122
