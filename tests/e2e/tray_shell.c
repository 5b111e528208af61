/* What the shell that owns the notification area does to the utility's icon
 * when it restarts, done from outside the utility: for the end-to-end journeys.
 *
 *   tray-shell.exe restart FILE   forget the icon, then broadcast "TaskbarCreated"
 *   tray-shell.exe forget FILE    forget the icon only, as a shell that lost it
 *   tray-shell.exe count FILE     how many icons the utility has (removes them)
 *
 * Runs inside the journey's Wine desktop, so it writes what it found to FILE
 * ("icons=N" or "forgot=0|1") instead of an exit code nobody receives. */
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <wchar.h>

static const UINT kIconId = 153;

static BOOL Forget(HWND window) {
  NOTIFYICONDATAW data;
  ZeroMemory(&data, sizeof(data));
  data.cbSize = NOTIFYICONDATAW_V3_SIZE;
  data.hWnd = window;
  data.uID = kIconId;
  return Shell_NotifyIconW(NIM_DELETE, &data);
}

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  HWND window = FindWindowW(NULL, L"ZR305 Gaming Mouse Driver");
  FILE* out = _wfopen(argv[2], L"w");
  if (out == NULL) return 2;
  if (window == NULL) {
    fputs("no window\n", out);
  } else if (wcscmp(argv[1], L"count") == 0) {
    int icons = 0;
    /* The shell keeps one icon per window and id; a second one would stay
     * after the first removal. */
    while (icons < 10 && Forget(window)) ++icons;
    fprintf(out, "icons=%d\n", icons);
  } else {
    const BOOL forgot = Forget(window);
    if (wcscmp(argv[1], L"restart") == 0)
      SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                          NULL);
    fprintf(out, "forgot=%d\n", forgot ? 1 : 0);
  }
  fclose(out);
  return 0;
}
