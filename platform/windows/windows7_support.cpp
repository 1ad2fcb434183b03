// SPDX-License-Identifier: MIT
// Qt 6 calls some functions that only Windows 8, 8.1 or 10 export; a program
// importing them is refused by Windows 7's loader before it starts. Each is
// replaced here, for the linker, by a function of ours (its __imp_ pointer,
// through which every call from Qt goes). That function looks the real one up
// once and calls it where Windows has it, so Windows 10 and 11 behave exactly
// as before, and otherwise does what Windows 7 allows.
#define WINVER 0x0A00
#define _WIN32_WINNT 0x0A00
#include <windows.h>
#include <dxgi1_3.h>
#include <roapi.h>
#include <shellscalingapi.h>
#include <winstring.h>

#include <atomic>
#include <initializer_list>
#include <string>

#include "windows7_support.h"

namespace tavro {
namespace {

bool ActAsWindows7() {
  // -1 unknown yet, then 0 or 1. Constant-initialised, with no guard: Qt's
  // mutexes may wait here before any constructor has run.
  static std::atomic<int> acting{-1};
  int value = acting.load(std::memory_order_relaxed);
  if (value < 0) {
    value = GetEnvironmentVariableW(L"TAVRO_ACT_AS_WINDOWS7", nullptr, 0) > 0 ? 1 : 0;
    acting.store(value, std::memory_order_relaxed);
  }
  return value == 1;
}

// A DLL of Windows' own: loaded by its full path, never from the program's
// folder or the current one.
HMODULE SystemModule(const wchar_t* name) {
  if (HMODULE loaded = GetModuleHandleW(name)) return loaded;
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::wstring path(folder, length);
  path += L'\\';
  path += name;
  return LoadLibraryW(path.c_str());
}

// A function that newer Windows exports: looked up on the first call, and
// null where this Windows lacks it. Constant-initialised, so safe to use from
// any thread at any time; two threads that look it up together find the same.
template <typename Function>
class Newer {
 public:
  constexpr Newer(const wchar_t* module, const char* name) : module_(module), name_(name) {}

  Function Get() {
    if (!looked_up_.load(std::memory_order_acquire)) {
      Function found = nullptr;
      if (!ActAsWindows7()) {
        if (HMODULE module = SystemModule(module_)) {
          found = reinterpret_cast<Function>(
              reinterpret_cast<void*>(GetProcAddress(module, name_)));
        }
      }
      address_.store(found, std::memory_order_relaxed);
      looked_up_.store(true, std::memory_order_release);
    }
    return address_.load(std::memory_order_relaxed);
  }

 private:
  const wchar_t* module_;
  const char* name_;
  std::atomic<bool> looked_up_{false};
  std::atomic<Function> address_{nullptr};
};

constexpr const wchar_t* kUser32 = L"user32.dll";
constexpr const wchar_t* kShcore = L"shcore.dll";
constexpr const wchar_t* kCombase = L"combase.dll";
constexpr const wchar_t* kKernelBase = L"kernelbase.dll";
constexpr const wchar_t* kDxgi = L"dxgi.dll";

BOOL NotOnThisWindows() {
  SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
  return FALSE;
}

// The DPI of the whole desktop. Windows 7 has one DPI for every screen and
// window, fixed until the user logs on again: read once.
UINT SystemDpi() {
  static std::atomic<UINT> known{0};
  UINT dpi = known.load(std::memory_order_relaxed);
  if (dpi == 0) {
    HDC screen = GetDC(nullptr);
    const int read = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    dpi = read > 0 ? static_cast<UINT>(read) : USER_DEFAULT_SCREEN_DPI;
    known.store(dpi, std::memory_order_relaxed);
  }
  return dpi;
}

// DPI, Windows 10 1607 and 8.1: one system DPI, and the process at most
// aware of it (SetProcessDPIAware, Vista).

HRESULT WINAPI DpiForMonitor(HMONITOR monitor, MONITOR_DPI_TYPE type, UINT* x, UINT* y) {
  static Newer<decltype(&GetDpiForMonitor)> real(kShcore, "GetDpiForMonitor");
  if (auto function = real.Get()) return function(monitor, type, x, y);
  if (x == nullptr || y == nullptr) return E_INVALIDARG;
  *x = *y = SystemDpi();
  return S_OK;
}

UINT WINAPI DpiForWindow(HWND window) {
  static Newer<decltype(&GetDpiForWindow)> real(kUser32, "GetDpiForWindow");
  if (auto function = real.Get()) return function(window);
  // The DPI of the window's screen, as Qt finds it for the screen: Windows
  // 8.1 has one per screen, Windows 7 the system's.
  UINT x = 0;
  UINT y = 0;
  if (SUCCEEDED(DpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                              MDT_EFFECTIVE_DPI, &x, &y))) {
    return x;
  }
  return SystemDpi();
}

int WINAPI SystemMetricsForDpi(int index, UINT dpi) {
  static Newer<decltype(&GetSystemMetricsForDpi)> real(kUser32, "GetSystemMetricsForDpi");
  if (auto function = real.Get()) return function(index, dpi);
  // Qt asks only for sizes (caption, frame, border), which scale with the DPI.
  const UINT systemDpi = SystemDpi();
  const int metric = GetSystemMetrics(index);
  return dpi == systemDpi ? metric : MulDiv(metric, static_cast<int>(dpi), static_cast<int>(systemDpi));
}

void ScaleFont(LOGFONTW& font, UINT dpi, UINT systemDpi) {
  font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi));
  font.lfWidth = MulDiv(font.lfWidth, static_cast<int>(dpi), static_cast<int>(systemDpi));
}

BOOL WINAPI SystemParametersForDpi(UINT action, UINT parameter, PVOID value, UINT update, UINT dpi) {
  static Newer<decltype(&SystemParametersInfoForDpi)> real(kUser32, "SystemParametersInfoForDpi");
  if (auto function = real.Get()) return function(action, parameter, value, update, dpi);
  // The three questions Windows 10 answers for a DPI. Windows 7 answers them
  // at its one DPI; the sizes are scaled to the DPI asked for (Qt asks for
  // its fonts at 96 and scales them itself).
  if (action != SPI_GETNONCLIENTMETRICS && action != SPI_GETICONTITLELOGFONT &&
      action != SPI_GETICONMETRICS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (value == nullptr || !SystemParametersInfoW(action, parameter, value, update)) return FALSE;
  const UINT systemDpi = SystemDpi();
  const auto scale = [dpi, systemDpi](int& size) {
    size = MulDiv(size, static_cast<int>(dpi), static_cast<int>(systemDpi));
  };
  if (action == SPI_GETNONCLIENTMETRICS) {
    auto& metrics = *static_cast<NONCLIENTMETRICSW*>(value);
    for (int* size : {&metrics.iBorderWidth, &metrics.iScrollWidth, &metrics.iScrollHeight,
                      &metrics.iCaptionWidth, &metrics.iCaptionHeight, &metrics.iSmCaptionWidth,
                      &metrics.iSmCaptionHeight, &metrics.iMenuWidth, &metrics.iMenuHeight}) {
      scale(*size);
    }
    if (metrics.cbSize >= sizeof(NONCLIENTMETRICSW)) scale(metrics.iPaddedBorderWidth);
    for (LOGFONTW* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                           &metrics.lfStatusFont, &metrics.lfMessageFont}) {
      ScaleFont(*font, dpi, systemDpi);
    }
  } else if (action == SPI_GETICONTITLELOGFONT) {
    ScaleFont(*static_cast<LOGFONTW*>(value), dpi, systemDpi);
  } else {
    auto& metrics = *static_cast<ICONMETRICSW*>(value);
    scale(metrics.iHorzSpacing);
    scale(metrics.iVertSpacing);
    ScaleFont(metrics.lfFont, dpi, systemDpi);
  }
  return TRUE;
}

BOOL WINAPI AdjustWindowRectForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi) {
  static Newer<decltype(&AdjustWindowRectExForDpi)> real(kUser32, "AdjustWindowRectExForDpi");
  if (auto function = real.Get()) return function(rect, style, menu, exStyle, dpi);
  return AdjustWindowRectEx(rect, style, menu, exStyle);
}

BOOL WINAPI EnableNonClientScaling(HWND window) {
  static Newer<decltype(&EnableNonClientDpiScaling)> real(kUser32, "EnableNonClientDpiScaling");
  if (auto function = real.Get()) return function(window);
  return TRUE;  // Windows 7 draws the frame at the system DPI already
}

DPI_AWARENESS_CONTEXT WINAPI WindowAwarenessContext(HWND window) {
  static Newer<decltype(&GetWindowDpiAwarenessContext)> real(kUser32,
                                                             "GetWindowDpiAwarenessContext");
  if (auto function = real.Get()) return function(window);
  return IsProcessDPIAware() ? DPI_AWARENESS_CONTEXT_SYSTEM_AWARE : DPI_AWARENESS_CONTEXT_UNAWARE;
}

DPI_AWARENESS WINAPI AwarenessFromContext(DPI_AWARENESS_CONTEXT context) {
  static Newer<decltype(&GetAwarenessFromDpiAwarenessContext)> real(
      kUser32, "GetAwarenessFromDpiAwarenessContext");
  if (auto function = real.Get()) return function(context);
  // Without the real function the contexts are the ones returned above.
  if (context == DPI_AWARENESS_CONTEXT_UNAWARE) return DPI_AWARENESS_UNAWARE;
  if (context == DPI_AWARENESS_CONTEXT_SYSTEM_AWARE) return DPI_AWARENESS_SYSTEM_AWARE;
  return DPI_AWARENESS_INVALID;
}

BOOL WINAPI SetProcessAwarenessContext(DPI_AWARENESS_CONTEXT context) {
  static Newer<decltype(&SetProcessDpiAwarenessContext)> real(kUser32,
                                                              "SetProcessDpiAwarenessContext");
  if (auto function = real.Get()) return function(context);
  // Qt then asks for per-monitor awareness the Windows 8.1 way, below.
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}

HRESULT WINAPI SetProcessAwareness(PROCESS_DPI_AWARENESS awareness) {
  static Newer<decltype(&SetProcessDpiAwareness)> real(kShcore, "SetProcessDpiAwareness");
  if (auto function = real.Get()) return function(awareness);
  // System awareness is as much as Windows 7 has.
  if (awareness != PROCESS_DPI_UNAWARE && !SetProcessDPIAware()) return E_FAIL;
  return S_OK;
}

HRESULT WINAPI ProcessAwareness(HANDLE process, PROCESS_DPI_AWARENESS* awareness) {
  static Newer<decltype(&GetProcessDpiAwareness)> real(kShcore, "GetProcessDpiAwareness");
  if (auto function = real.Get()) return function(process, awareness);
  if (awareness == nullptr) return E_INVALIDARG;
  if (process != nullptr && GetProcessId(process) != GetCurrentProcessId()) return E_NOTIMPL;
  *awareness = IsProcessDPIAware() ? PROCESS_SYSTEM_DPI_AWARE : PROCESS_DPI_UNAWARE;
  return S_OK;
}

// Pointer input and setting the screen's rotation, Windows 8: each is the
// real function or one that fails as a missing function does. Windows 7 never
// sends pointer messages, so Qt asks for their details only where they exist;
// without them it reads mouse and touch messages (see WindowsHasPointerInput).
template <typename Function, const char* kName>
struct RealOrFailure;

template <typename... Arguments, const char* kName>
struct RealOrFailure<BOOL(WINAPI*)(Arguments...), kName> {
  static BOOL WINAPI Call(Arguments... arguments) {
    static Newer<BOOL(WINAPI*)(Arguments...)> real(kUser32, kName);
    if (auto function = real.Get()) return function(arguments...);
    return NotOnThisWindows();
  }
};

// Timers and reading the screen's rotation, Windows 8.

UINT_PTR WINAPI CoalescableTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC callback,
                                 ULONG tolerance) {
  static Newer<decltype(&SetCoalescableTimer)> real(kUser32, "SetCoalescableTimer");
  if (auto function = real.Get()) return function(window, id, elapse, callback, tolerance);
  return SetTimer(window, id, elapse, callback);  // the same timer, never coalesced
}

BOOL WINAPI AutoRotationPreferences(ORIENTATION_PREFERENCE* preference) {
  static Newer<decltype(&GetDisplayAutoRotationPreferences)> real(
      kUser32, "GetDisplayAutoRotationPreferences");
  if (auto function = real.Get()) return function(preference);
  if (preference == nullptr) return NotOnThisWindows();
  *preference = ORIENTATION_PREFERENCE_NONE;  // Windows 7 does not rotate on its own
  return TRUE;
}

// Windows Runtime, Windows 8: Qt asks it only whether the desktop is in
// tablet mode, which Windows 7 never is.

HRESULT WINAPI CreateStringReference(PCWSTR text, UINT32 length, HSTRING_HEADER* header,
                                     HSTRING* string) {
  static Newer<decltype(&WindowsCreateStringReference)> real(kCombase,
                                                             "WindowsCreateStringReference");
  if (auto function = real.Get()) return function(text, length, header, string);
  return E_NOTIMPL;
}

HRESULT WINAPI ActivationFactory(HSTRING id, REFIID interfaceId, void** factory) {
  static Newer<decltype(&RoGetActivationFactory)> real(kCombase, "RoGetActivationFactory");
  if (auto function = real.Get()) return function(id, interfaceId, factory);
  if (factory != nullptr) *factory = nullptr;
  return E_NOTIMPL;
}

// DXGI 1.3, Windows 8.1, for Direct3D 11 rendering, which tavro's widgets
// never use.
HRESULT WINAPI DxgiFactory2(UINT flags, REFIID interfaceId, void** factory) {
  static Newer<decltype(&CreateDXGIFactory2)> real(kDxgi, "CreateDXGIFactory2");
  if (auto function = real.Get()) return function(flags, interfaceId, factory);
  return CreateDXGIFactory1(interfaceId, factory);
}

// Waiting on an address, Windows 8: Qt's mutexes sleep on it. Windows 7
// gets one lock and one condition variable for all addresses. A waker
// takes the lock before it wakes, so a waiter that found the old value
// under the lock is asleep by then and cannot miss the wake-up; waking
// every waiter is allowed, since each checks its value again.

SRWLOCK addressLock = SRWLOCK_INIT;
CONDITION_VARIABLE addressChanged = CONDITION_VARIABLE_INIT;

BOOL WINAPI WaitOnAddressOr7(volatile VOID* address, PVOID compare, SIZE_T size, DWORD timeout) {
  static Newer<decltype(&WaitOnAddress)> real(kKernelBase, "WaitOnAddress");
  if (auto function = real.Get()) return function(address, compare, size, timeout);
  AcquireSRWLockExclusive(&addressLock);
  BOOL woken = TRUE;
  if (memcmp(const_cast<const void*>(address), compare, size) == 0) {
    woken = SleepConditionVariableSRW(&addressChanged, &addressLock, timeout, 0);
  }
  ReleaseSRWLockExclusive(&addressLock);
  return woken;  // FALSE only on a timeout, with ERROR_TIMEOUT set
}

void WakeAll() {
  AcquireSRWLockExclusive(&addressLock);
  ReleaseSRWLockExclusive(&addressLock);
  WakeAllConditionVariable(&addressChanged);
}

void WINAPI WakeByAddressSingleOr7(PVOID address) {
  static Newer<decltype(&WakeByAddressSingle)> real(kKernelBase, "WakeByAddressSingle");
  if (auto function = real.Get()) return function(address);
  WakeAll();
}

void WINAPI WakeByAddressAllOr7(PVOID address) {
  static Newer<decltype(&WakeByAddressAll)> real(kKernelBase, "WakeByAddressAll");
  if (auto function = real.Get()) return function(address);
  WakeAll();
}

}  // namespace

bool WindowsHasPointerInput() {
  static Newer<decltype(&GetPointerType)> real(kUser32, "GetPointerType");
  return real.Get() != nullptr;
}

}  // namespace tavro

// What the linker would otherwise take from Windows' import libraries for
// each DLL function that Windows 7 lacks: the import pointer, through which
// code compiled for a DLL function calls, and the stub that jumps through it,
// which other code calls. With both here, the import library's entry is
// never linked.
#define TAVRO_REPLACE(function, ...)                                         \
  extern "C" {                                                               \
  decltype(&function) __imp_##function = tavro::__VA_ARGS__;                 \
  }                                                                          \
  asm(".globl " #function "\n" #function ": jmp *__imp_" #function "(%rip)")
#define TAVRO_REPLACE_OR_FAIL(function)                          \
  namespace tavro {                                              \
  constexpr char k##function[] = #function;                      \
  }                                                              \
  TAVRO_REPLACE(function, RealOrFailure<decltype(&function), tavro::k##function>::Call)
TAVRO_REPLACE(GetDpiForWindow, DpiForWindow);
TAVRO_REPLACE(GetDpiForMonitor, DpiForMonitor);
TAVRO_REPLACE(GetSystemMetricsForDpi, SystemMetricsForDpi);
TAVRO_REPLACE(SystemParametersInfoForDpi, SystemParametersForDpi);
TAVRO_REPLACE(AdjustWindowRectExForDpi, AdjustWindowRectForDpi);
TAVRO_REPLACE(EnableNonClientDpiScaling, EnableNonClientScaling);
TAVRO_REPLACE(GetWindowDpiAwarenessContext, WindowAwarenessContext);
TAVRO_REPLACE(GetAwarenessFromDpiAwarenessContext, AwarenessFromContext);
TAVRO_REPLACE(SetProcessDpiAwarenessContext, SetProcessAwarenessContext);
TAVRO_REPLACE(SetProcessDpiAwareness, SetProcessAwareness);
TAVRO_REPLACE(GetProcessDpiAwareness, ProcessAwareness);
TAVRO_REPLACE_OR_FAIL(GetPointerType);
TAVRO_REPLACE_OR_FAIL(GetPointerInfo);
TAVRO_REPLACE_OR_FAIL(GetPointerFrameTouchInfo);
TAVRO_REPLACE_OR_FAIL(GetPointerFrameTouchInfoHistory);
TAVRO_REPLACE_OR_FAIL(GetPointerPenInfo);
TAVRO_REPLACE_OR_FAIL(GetPointerPenInfoHistory);
TAVRO_REPLACE_OR_FAIL(GetPointerDeviceRects);
TAVRO_REPLACE_OR_FAIL(SkipPointerFrameMessages);
TAVRO_REPLACE(SetCoalescableTimer, CoalescableTimer);
TAVRO_REPLACE(GetDisplayAutoRotationPreferences, AutoRotationPreferences);
TAVRO_REPLACE_OR_FAIL(SetDisplayAutoRotationPreferences);
TAVRO_REPLACE(WindowsCreateStringReference, CreateStringReference);
TAVRO_REPLACE(RoGetActivationFactory, ActivationFactory);
TAVRO_REPLACE(CreateDXGIFactory2, DxgiFactory2);
TAVRO_REPLACE(WaitOnAddress, WaitOnAddressOr7);
TAVRO_REPLACE(WakeByAddressSingle, WakeByAddressSingleOr7);
TAVRO_REPLACE(WakeByAddressAll, WakeByAddressAllOr7);
#undef TAVRO_REPLACE_OR_FAIL
#undef TAVRO_REPLACE
