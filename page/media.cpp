// Placeholder media host: no clip is played until the media work lands.
#include "media.h"

void start_media() {}
void prepare_player(HWND) {}
void play_clip(HWND, int) {}
void stop_clip(HWND) {}
void stop_media(HWND) {}
