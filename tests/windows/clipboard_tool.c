/* SPDX-License-Identifier: MIT */
/* Plays another program on the Windows clipboard, for the end-to-end check
 * of tavro.exe under wine:
 *   clipboard_tool hold MS EXPECTED  holds the clipboard open for MS ms while
 *       measuring how long tavro's window takes to answer, lets go, then
 *       waits up to 1 s for the clipboard to hold EXPECTED
 *   clipboard_tool outlast MS KNOWN  the same, and then the clipboard must
 *       still hold KNOWN, the text it held before, for 1 s
 *   clipboard_tool replace MS TEXT   the same, but puts TEXT on the clipboard
 *       before letting go; TEXT must stay there for 1 s
 *   clipboard_tool put TEXT          puts TEXT on the clipboard
 *   clipboard_tool read              prints the clipboard's text
 *   clipboard_tool close             closes tavro's window
 * Texts are UTF-8 on stdout. Exits 1 on failure. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>
#include <windows.h>

static const wchar_t kTitle[] = L"tavro字符工具";

static void PrintUtf8(const wchar_t* text) {
  char buffer[4096];
  int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, NULL, NULL);
  if (length > 0) fputs(buffer, stdout);
}

/* The clipboard's text, or an empty string; the caller frees it. */
static wchar_t* ClipboardText(void) {
  wchar_t* copy = calloc(1, sizeof(wchar_t));
  if (!OpenClipboard(NULL)) return copy;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const wchar_t* text = data ? GlobalLock(data) : NULL;
  if (text) {
    free(copy);
    copy = _wcsdup(text);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return copy;
}

/* Puts `text` on the clipboard while it is open; 0 when it would not take it. */
static int SetText(const wchar_t* text) {
  size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return 0;
  memcpy(GlobalLock(memory), text, bytes);
  GlobalUnlock(memory);
  if (EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory)) return 1;
  GlobalFree(memory);
  return 0;
}

/* Opens the clipboard for a window of ours, as programs do: wine lets others
   open a clipboard that is open for no window. */
static int OpenForUs(void) {
  HWND own = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
  return OpenClipboard(own);
}

/* Waits up to `milliseconds` for the clipboard to hold `expected`, or, with
   `steady`, checks that it holds `expected` all that time. */
static int Expect(const wchar_t* expected, DWORD milliseconds, int steady) {
  DWORD start = GetTickCount();
  for (;;) {
    wchar_t* text = ClipboardText();
    int same = wcscmp(text, expected) == 0;
    free(text);
    DWORD after = GetTickCount() - start;
    if (steady && !same) return fputs("the clipboard's text was overwritten\n", stderr), 0;
    if (!steady && same) return printf("the result arrived %lu ms after the release\n", after), 1;
    if (after > milliseconds) {
      if (!steady) fputs("the result did not arrive within 1 s\n", stderr);
      return steady;
    }
    Sleep(10);
  }
}

enum Release { kLetGo, kOutlast, kReplace };

/* Holds the clipboard open for `milliseconds` while measuring how long
   tavro's window takes to answer, then lets go as `release` says. */
static int Hold(int milliseconds, const wchar_t* text, enum Release release) {
  HWND window = FindWindowW(NULL, kTitle);
  if (!window) return fputs("no tavro window\n", stderr), 1;
  if (!OpenForUs()) return fputs("cannot open the clipboard\n", stderr), 1;
  puts("held");
  fflush(stdout);
  /* The window's event loop answers WM_NULL as soon as it runs: the
     longest answer is the longest freeze. */
  DWORD start = GetTickCount(), longest = 0;
  while (GetTickCount() - start < (DWORD)milliseconds) {
    DWORD sent = GetTickCount();
    DWORD_PTR result;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    if (GetTickCount() - sent > longest) longest = GetTickCount() - sent;
    Sleep(10);
  }
  /* Still ours: the result must not be there yet. */
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const wchar_t* before = data ? GlobalLock(data) : NULL;
  int early = release == kLetGo && before && wcscmp(before, text) == 0;
  if (before) GlobalUnlock(data);
  if (release == kReplace && !SetText(text)) return fputs("cannot replace the text\n", stderr), 1;
  CloseClipboard();
  if (early) return fputs("the result was there while the clipboard was held\n", stderr), 1;
  printf("held %d ms; the window answered within %lu ms throughout\n", milliseconds, longest);
  return Expect(text, 1000, release != kLetGo) ? 0 : 1;
}

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && wcscmp(argv[1], L"hold") == 0) return Hold(_wtoi(argv[2]), argv[3], kLetGo);
  if (argc == 4 && wcscmp(argv[1], L"outlast") == 0) return Hold(_wtoi(argv[2]), argv[3], kOutlast);
  if (argc == 4 && wcscmp(argv[1], L"replace") == 0) return Hold(_wtoi(argv[2]), argv[3], kReplace);
  if (argc == 3 && wcscmp(argv[1], L"put") == 0) {
    int put = OpenForUs() && SetText(argv[2]);
    CloseClipboard();
    return put ? 0 : 1;
  }
  if (argc == 2 && wcscmp(argv[1], L"read") == 0) {
    wchar_t* text = ClipboardText();
    PrintUtf8(text);
    free(text);
    return 0;
  }
  if (argc == 2 && wcscmp(argv[1], L"close") == 0) {
    HWND window = FindWindowW(NULL, kTitle);
    return window && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  fputs("usage: clipboard_tool hold|outlast|replace MS TEXT | put TEXT | read | close\n", stderr);
  return 2;
}
