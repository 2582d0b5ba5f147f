/* A stand-in for a DLL planted beside a downloaded quiz: it records in the
   environment that it was loaded. The player must never load it. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) SetEnvironmentVariableA("QUIZ_PLANTED_ATL", "loaded");
  return TRUE;
}

__declspec(dllexport) HRESULT WINAPI
    AtlAxAttachControl(void* control, HWND host, void** container) {
  (void)control;
  (void)host;
  (void)container;
  return E_FAIL;
}
