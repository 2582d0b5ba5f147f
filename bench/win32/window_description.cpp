#include "window_description.h"

#include <cstdio>
#include <cstdlib>

namespace {

struct Writer {
  FILE* file;
  std::vector<HFONT> fonts;
  int count;
};

int font_index(Writer* writer, HFONT font) {
  if (!font) return -1;
  for (size_t i = 0; i < writer->fonts.size(); ++i) {
    if (writer->fonts[i] == font) return int(i);
  }
  LOGFONTA wanted = {};
  GetObjectA(font, sizeof wanted, &wanted);
  fprintf(writer->file, "F\t%ld\t%ld\t%d\t%d\t%s\n", long(wanted.lfHeight), long(wanted.lfWeight),
          wanted.lfItalic, wanted.lfUnderline, wanted.lfFaceName);
  writer->fonts.push_back(font);
  return int(writer->fonts.size() - 1);
}

std::string escaped(const char* text) {
  std::string out;
  for (const char* c = text; *c; ++c) {
    if (*c == '\t') {
      out += "\\t";
    } else if (*c == '\r') {
      out += "\\r";
    } else if (*c == '\n') {
      out += "\\n";
    } else if (*c == '\\') {
      out += "\\\\";
    } else {
      out += *c;
    }
  }
  return out;
}

struct Known {
  HWND panel, page;
};

void write_window(Writer* writer, const Known& known, HWND window, WindowKind kind, int parent) {
  char class_name[64] = "", text[1024] = "";
  GetClassNameA(window, class_name, sizeof class_name);
  GetWindowTextA(window, text, sizeof text);
  RECT place;
  GetWindowRect(window, &place);
  if (kind != KIND_FRAME) {
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
  }
  int font = font_index(writer, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
  BITMAP bitmap = {};
  DWORD style = DWORD(GetWindowLongA(window, GWL_STYLE));
  if (kind == KIND_CONTROL && (style & SS_TYPEMASK) == SS_BITMAP) {
    HGDIOBJ shown = reinterpret_cast<HGDIOBJ>(SendMessageA(window, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (shown) GetObjectA(shown, sizeof bitmap, &bitmap);
  }
  fprintf(writer->file, "W\t%d\t%d\t%s\t%lx\t%lx\t%d\t%ld\t%ld\t%ld\t%ld\t%d\t%ld\t%ld\t%s\n", kind,
          parent, class_name, static_cast<unsigned long>(style),
          static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)), GetDlgCtrlID(window),
          long(place.left), long(place.top), long(place.right - place.left),
          long(place.bottom - place.top), font, long(bitmap.bmWidth), long(bitmap.bmHeight),
          escaped(text).c_str());
  int own = writer->count++;
  if (kind == KIND_CONTROL) return;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    WindowKind child_kind = child == known.panel  ? KIND_PANEL
                            : child == known.page ? KIND_PAGE
                                                  : KIND_CONTROL;
    write_window(writer, known, child, child_kind, own);
  }
}

std::string unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char next = text[++i];
    out += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
  }
  return out;
}

std::vector<std::string> fields_of(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    fields.push_back(
        line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace

void write_window_description(const char* path, HWND frame, HWND panel, HWND page) {
  FILE* file = fopen(path, "w");
  if (!file) return;
  Writer writer = {file, {}, 0};
  write_window(&writer, {panel, page}, frame, KIND_FRAME, -1);
  fclose(file);
}

bool read_window_description(const char* path, WindowDescription* out) {
  FILE* file = fopen(path, "r");
  if (!file) return false;
  char buffer[4096];
  while (fgets(buffer, sizeof buffer, file)) {
    std::string line = buffer;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    std::vector<std::string> f = fields_of(line);
    if (f[0] == "F" && f.size() >= 6) {
      LOGFONTA wanted = {};
      wanted.lfHeight = atol(f[1].c_str());
      wanted.lfWeight = atol(f[2].c_str());
      wanted.lfItalic = BYTE(atoi(f[3].c_str()));
      wanted.lfUnderline = BYTE(atoi(f[4].c_str()));
      lstrcpynA(wanted.lfFaceName, f[5].c_str(), LF_FACESIZE);
      out->fonts.push_back(wanted);
    } else if (f[0] == "W" && f.size() >= 15) {
      DescribedWindow w;
      w.kind = WindowKind(atoi(f[1].c_str()));
      w.parent = atoi(f[2].c_str());
      w.class_name = f[3];
      w.style = DWORD(strtoul(f[4].c_str(), nullptr, 16));
      w.ex_style = DWORD(strtoul(f[5].c_str(), nullptr, 16));
      w.id = atoi(f[6].c_str());
      w.x = atoi(f[7].c_str());
      w.y = atoi(f[8].c_str());
      w.width = atoi(f[9].c_str());
      w.height = atoi(f[10].c_str());
      w.font = atoi(f[11].c_str());
      w.bitmap_w = atoi(f[12].c_str());
      w.bitmap_h = atoi(f[13].c_str());
      w.text = unescaped(f[14]);
      out->windows.push_back(w);
    }
  }
  fclose(file);
  return !out->windows.empty();
}
