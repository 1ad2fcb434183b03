// SPDX-License-Identifier: MIT
// What opening the window costs, from construction until it is active and
// has handled its activation: Form1 beside a bare window of the same 13
// controls, geometry and texts, which is what any window of this design
// costs. On Linux it runs offscreen unless QT_QPA_PLATFORM names another
// platform; on Windows, on the windows platform.
// `open_window_benchmark --once=form1|bare` opens one window and ends, for
// counting instructions with callgrind.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstring>
#include <memory>

#include "form1.h"
#include "program.h"

namespace tavro {
namespace {

// The design's controls as plain widgets: no grid font, colours or tables.
std::unique_ptr<QWidget> BareWindow() {
  auto window = std::make_unique<QWidget>();
  window->setWindowTitle(QStringLiteral("tavro字符工具"));
  window->resize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
  for (const ControlDesign& design : kControlDesigns) {
    const QString text = QString::fromUtf16(design.text);
    QWidget* control = design.button != nullptr ? static_cast<QWidget*>(new QPushButton(text))
                       : design.singleLineField != nullptr
                           ? static_cast<QWidget*>(new QLineEdit(text))
                           : new QPlainTextEdit(text);
    control->setParent(window.get());
    control->setGeometry(TwipsToPixels(design.left, design.top, design.width, design.height));
    control->setToolTip(QString::fromUtf16(design.toolTip));
    control->setVisible(!design.hidden);
  }
  return window;
}

// Shows `window` and runs the event loop until it is active and has handled
// that; false if it never becomes active.
bool ShowUntilActive(QWidget& window) {
  window.show();
  window.activateWindow();
  const QDeadlineTimer deadline(5000);
  while (!window.isActiveWindow()) {
    if (deadline.hasExpired()) return false;
    QApplication::processEvents();
  }
  QApplication::processEvents();
  return true;
}

double MillisecondsToOpen(bool form1) {
  QElapsedTimer timer;
  timer.start();
  std::unique_ptr<QWidget> window;
  if (form1) {
    SetUpProgram();  // as the program does before its window
    window = std::make_unique<Form1>();
  } else {
    window = BareWindow();
  }
  if (!ShowUntilActive(*window)) return -1;
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Both windows in turn, so that both see the same machine load.
void BM_OpenWindow(benchmark::State& state) {
  double form1 = 0, bare = 0;
  for (auto _ : state) {
    const double form1Time = MillisecondsToOpen(true), bareTime = MillisecondsToOpen(false);
    if (form1Time < 0 || bareTime < 0) state.SkipWithError("the window did not become active");
    form1 += form1Time, bare += bareTime;
  }
  const auto runs = static_cast<double>(state.iterations());
  state.counters["form1_ms"] = form1 / runs;
  state.counters["bare_ms"] = bare / runs;
  state.counters["ratio"] = form1 / bare;
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
}  // namespace tavro

int main(int argc, char** argv) {
#ifndef Q_OS_WIN  // on Windows (under wine), the windows platform
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  QApplication application(argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--once=", 7) == 0)
      return tavro::MillisecondsToOpen(std::strcmp(argv[i] + 7, "form1") == 0) < 0 ? 1 : 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
}
