// SPDX-License-Identifier: MIT
// What Qt calls that Windows 7 lacks, called here as Qt calls it: once
// through Windows' own functions, once with TAVRO_ACT_AS_WINDOWS7=1 through
// the replacements that run on Windows 7.
#define WINVER 0x0A00
#define _WIN32_WINNT 0x0A00
#include <windows.h>
#include <shellscalingapi.h>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

namespace {

// Qt's mutexes sleep while a value is what they saw, and the thread that
// changes it wakes them. Two threads hand a turn back and forth: a lost
// wake-up shows as a wait that times out.
TEST(WaitOnAddressTest, SleepsUntilAnotherThreadChangesTheValueAndWakesIt) {
  std::atomic<LONG> turn{0};
  constexpr int kRounds = 5000;
  auto play = [&turn](LONG mine, bool wakeAll) {
    for (int round = 0; round < kRounds; ++round) {
      for (LONG seen = turn.load(); seen != mine; seen = turn.load()) {
        ASSERT_TRUE(WaitOnAddress(&turn, &seen, sizeof seen, 10000)) << "not woken in 10 s";
      }
      turn.store(1 - mine);
      if (wakeAll) {
        WakeByAddressAll(&turn);
      } else {
        WakeByAddressSingle(&turn);
      }
    }
  };
  std::thread other(play, 1, true);
  play(0, false);
  other.join();
}

TEST(WaitOnAddressTest, ReturnsAtOnceForAChangedValueAndTimesOutForAnUnchangedOne) {
  LONG value = 1;
  LONG expected = 2;
  EXPECT_TRUE(WaitOnAddress(&value, &expected, sizeof value, INFINITE));
  expected = 1;
  SetLastError(0);
  EXPECT_FALSE(WaitOnAddress(&value, &expected, sizeof value, 50));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
}

// Qt makes the process aware of the DPI as these calls do, then asks each
// window and screen for its DPI and sizes its frames by it.
TEST(DpiTest, TheProcessBecomesAwareAndWindowsScreensAndFramesAgree) {
  if (!SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
    // Denied when the awareness is set already, as wine sets it for every
    // process; Qt goes on then too.
    const HRESULT result = SetProcessDpiAwareness(PROCESS_PER_MONITOR_DPI_AWARE);
    ASSERT_TRUE(result == S_OK || result == E_ACCESSDENIED) << result;
  }
  PROCESS_DPI_AWARENESS awareness = PROCESS_DPI_UNAWARE;
  ASSERT_EQ(GetProcessDpiAwareness(nullptr, &awareness), S_OK);
  EXPECT_NE(awareness, PROCESS_DPI_UNAWARE);

  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  const DPI_AWARENESS windowAwareness =
      GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(window));
  EXPECT_TRUE(windowAwareness == DPI_AWARENESS_SYSTEM_AWARE ||
              windowAwareness == DPI_AWARENESS_PER_MONITOR_AWARE);

  UINT x = 0;
  UINT y = 0;
  ASSERT_EQ(GetDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY),
                             MDT_EFFECTIVE_DPI, &x, &y),
            S_OK);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(x, static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX)));
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(GetDpiForWindow(window), x);

  EXPECT_EQ(GetSystemMetricsForDpi(SM_CYCAPTION, x), GetSystemMetrics(SM_CYCAPTION));
  // Qt reads the system's fonts for 96 dpi and scales them itself.
  NONCLIENTMETRICSW atScreen{};
  atScreen.cbSize = sizeof atScreen;
  NONCLIENTMETRICSW at96 = atScreen;
  ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof atScreen, &atScreen, 0, x));
  ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof at96, &at96, 0, 96));
  EXPECT_NEAR(at96.lfMessageFont.lfHeight, MulDiv(atScreen.lfMessageFont.lfHeight, 96, x), 1);
  EXPECT_NEAR(at96.iCaptionHeight, MulDiv(atScreen.iCaptionHeight, 96, x), 1);
  RECT scaled{0, 0, 200, 100};
  RECT plain = scaled;
  ASSERT_TRUE(AdjustWindowRectExForDpi(&scaled, WS_OVERLAPPEDWINDOW, FALSE, 0, x));
  ASSERT_TRUE(AdjustWindowRectEx(&plain, WS_OVERLAPPEDWINDOW, FALSE, 0));
  EXPECT_TRUE(EqualRect(&scaled, &plain));
  DestroyWindow(window);
}

// Pointer input reaches Windows' own function where there is one (pointer 1
// is the mouse), and otherwise fails as a missing function does.
TEST(PointerInputTest, ReachesWindowsOwnFunctionOrFailsAsMissing) {
  const bool actingAsWindows7 = GetEnvironmentVariableW(L"TAVRO_ACT_AS_WINDOWS7", nullptr, 0) > 0;
  POINTER_INPUT_TYPE type = PT_POINTER;
  SetLastError(0);
  if (actingAsWindows7) {
    EXPECT_FALSE(GetPointerType(1, &type));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
  } else {
    EXPECT_TRUE(GetPointerType(1, &type)) << GetLastError();
    EXPECT_EQ(type, PT_MOUSE);
  }
}

}  // namespace
