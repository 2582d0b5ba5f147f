// Writing every answer field's text to the answers file.
#pragma once

#include <windows.h>

void save_answers(HWND page);
