#include "platform_win32.h"

#include "core/answers/answers_file.h"

namespace {

HMODULE content_module = nullptr;  // null: the program file itself

bool find_resource(int id, const char* type, ResourceView* out) {
  HRSRC found = FindResourceA(content_module, MAKEINTRESOURCEA(id), type);
  if (!found) return false;
  HGLOBAL loaded = LoadResource(content_module, found);
  if (!loaded) return false;
  out->bytes = static_cast<const unsigned char*>(LockResource(loaded));
  out->size = out->bytes ? SizeofResource(content_module, found) : 0;
  return true;
}

int message_box(const char* text, const char* caption, unsigned buttons) {
  return MessageBoxA(nullptr, text, caption, buttons);
}

FontHandle create_font(const FontSpec* wanted) {
  LOGFONTA font = {};
  font.lfHeight = wanted->height;
  font.lfWeight = wanted->weight;
  font.lfItalic = wanted->italic;
  font.lfUnderline = wanted->underline;
  return CreateFontIndirectA(&font);
}

BrushHandle create_brush(uint32_t colour) { return CreateSolidBrush(colour); }

void delete_object(void* handle) {
  if (handle) DeleteObject(static_cast<HGDIOBJ>(handle));
}

const PlatformSeam WIN32_SEAM = {find_resource, message_box, create_font, create_brush,
                                 delete_object};

}  // namespace

const PlatformSeam& win32_platform() { return WIN32_SEAM; }

void set_resource_module(HMODULE module) { content_module = module; }

HMODULE resource_module() { return content_module; }

bool program_answers_file(char* slot) {
  char path[MAX_PATH + 1] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return answers_file_name(path, slot);
}
