// The AnswerField's window procedure, installed on every answer field.
#pragma once

#include <windows.h>

LRESULT CALLBACK answer_field_proc(HWND field, UINT message, WPARAM wparam, LPARAM lparam);
