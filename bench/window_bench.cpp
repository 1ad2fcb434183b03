// SPDX-License-Identifier: MIT
// Each command on 1 MiB of mixed Chinese text in Text1, from click to
// clipboard, beside the toolkit's floor: publishing the same result with no
// conversion. Runs on the offscreen platform.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QPushButton>

#include "character_tables.h"
#include "form_state.h"
#include "mixed_text.h"
#include "reversal.h"
#include "table_conversion.h"
#include "vertical_layout.h"

namespace tavro {
namespace {

Form1* form = nullptr;

QPushButton* Button(std::int64_t number) {
  return form->findChild<QPushButton*>(QStringLiteral("Command%1").arg(number));
}

void PrepareInput() {
  static const QString input = QString::fromStdU16String(bench::MixedChineseText(512 * 1024));
  if (form->Text1->toPlainText().size() != input.size()) form->Text1->setPlainText(input);
}

void BM_Command(benchmark::State& state) {
  PrepareInput();
  QPushButton* button = Button(state.range(0));
  for (auto _ : state) button->click();
  state.SetBytesProcessed(state.iterations() * 1024 * 1024);
}

// The result that command `number` publishes, computed outside the window.
std::u16string ResultOf(std::int64_t number) {
  const QString text = FieldText(*form->Text1);
  const std::u16string_view input = CodeUnits(text);
  const std::u16string martian = TableText(TableKind::kMartian);
  const std::u16string simplified = TableText(TableKind::kSimplified);
  const std::u16string traditional = TableText(TableKind::kTraditional);
  switch (number) {
    case 1: return AddCharacters(input, CodeUnits(form->Text3->text()));
    case 3: return ReverseText(input);
    case 4: return VerticalLayout(input);
    case 5: return ConvertByTable(input, simplified, martian);
    case 6: return ConvertByTable(input, simplified, traditional);
    default: return ConvertByTable(input, traditional, simplified);
  }
}

void BM_PublishOnly(benchmark::State& state) {
  PrepareInput();
  const std::u16string result = ResultOf(state.range(0));
  for (auto _ : state) form->PublishResult(result);
  state.SetBytesProcessed(state.iterations() * 1024 * 1024);
}

void Commands(benchmark::internal::Benchmark* benchmark) {
  for (int number : {1, 3, 4, 5, 6, 7}) benchmark->Arg(number);
  benchmark->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_Command)->Apply(Commands);
BENCHMARK(BM_PublishOnly)->Apply(Commands);

}  // namespace
}  // namespace tavro

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  tavro::Form1 window;
  window.show();
  window.activateWindow();
  QApplication::processEvents();
  tavro::form = &window;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak resident memory: %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
}
