// Resource ids shared by the resource script and the code.
#pragma once

#define IDD_QUESTION_PAGE 1001
#define IDD_HEADER_PANEL 1002
#define IDC_HAND_POINTER 1003
#define IDI_PLAY 1004
#define IDI_STOP 1005
