// SPDX-License-Identifier: MIT
// Conversions over 1 MiB of ASCII-only, hanzi-only and emoji-rich text, and
// on hostile text of growing length; over 1 MiB and 16 MiB of mixed Chinese
// text beside copying their input and their output, and the table conversion
// beside the per-character scan it replaces; reading the phrases; then each
// window command on 1 MiB and 16 MiB from click to clipboard beside
// publishing its result with no conversion, memory after repeated big
// pastes, and a long session (opening the window, with its grid font, is
// open_window.cpp's). The window runs offscreen unless QT_QPA_PLATFORM names
// another platform (xcb: the X11 clipboard).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <map>
#include <random>

#include "character_forms.h"
#include "character_tables.h"
#include "form1.h"
#include "phrase_suggestions.h"
#include "plain_conversions.h"
#include "reversal.h"
#include "table_conversion.h"
#include "vertical_layout.h"

namespace tavro {
namespace {

constexpr std::int64_t kMiB = 1 << 20;
const std::u16string kMartian = TableText(TableKind::kMartian);
const std::u16string kSimplified = TableText(TableKind::kSimplified);
const std::u16string kTraditional = TableText(TableKind::kTraditional);
Form1* form = nullptr;

// `bytes` of UTF-16: mostly hanzi, some ASCII, punctuation and line breaks.
const std::u16string& MixedText(std::int64_t bytes) {
  static std::map<std::int64_t, std::u16string> texts;
  std::u16string& text = texts[bytes];
  const std::u16string hanzi = TableText(TableKind::kSimplified).substr(0, 1024) +
                               TableText(TableKind::kTraditional).substr(0, 1024) +
                               u"中国人的是在不了有和这为";
  const std::u16string other = u"abcxyz0123456789 ,.，。！？、；：“”（）";
  std::mt19937 random(2026);
  while (text.size() + 2 < static_cast<std::size_t>(bytes) / 2) {
    const auto kind = random() % 100;
    const std::u16string& from = kind < 20 ? other : hanzi;
    text += kind < 2 ? u"\r\n" : std::u16string(1, from[random() % from.size()]);
  }
  return text;
}

// Text of one kind: printable ASCII, or hanzi of the whole CJK Unified
// Ideographs block (the same text whatever the tables hold), or hanzi with an
// emoji sequence every fourth character (skin tones, flags, a family, VS16).
enum class TextKind { kAscii, kHanzi, kEmoji };

const std::u16string& TextOf(TextKind kind, std::int64_t bytes) {
  static std::map<std::pair<TextKind, std::int64_t>, std::u16string> texts;
  std::u16string& text = texts[{kind, bytes}];
  std::mt19937 random(2026);
  const auto [first, count] =
      kind == TextKind::kAscii ? std::pair{0x20u, 0x5Fu} : std::pair{0x4E00u, 0x51A6u};
  const std::u16string_view emoji[] = {u"👍🏻", u"🇨🇳", u"👨‍👩‍👧",
                                       u"☀️",   u"😊",  u"1️⃣"};
  while (text.size() < static_cast<std::size_t>(bytes) / 2) {
    if (kind == TextKind::kEmoji && random() % 4 == 0) {
      text += emoji[random() % std::size(emoji)];
    } else {
      text += static_cast<char16_t>(first + random() % count);
    }
  }
  return text;
}

// Text that tries the character rules: one letter with `count` accents (one
// character), `count` regional indicators in a row (flags in pairs), lone
// surrogates, and joiners with nothing to join.
enum class HostileKind { kAccents, kRegionalIndicators, kLoneSurrogates, kLoneJoiners };

std::u16string HostileText(HostileKind kind, std::int64_t count) {
  const auto repeated = [&](std::u16string_view unit) {
    std::u16string text;
    for (std::int64_t i = 0; i < count; ++i) text += unit;
    return text;
  };
  switch (kind) {
    case HostileKind::kAccents: return repeated(u"\u0301").insert(0, 1, u'a');
    case HostileKind::kRegionalIndicators: return repeated(u"🇨");
    case HostileKind::kLoneSurrogates: return repeated(u"\xDC00");
    case HostileKind::kLoneJoiners: break;
  }
  return repeated(u"\u200D中");
}

// The table conversion runs from the simplified to the traditional table, as
// 简→繁 does; 火星文 and 繁→简 cost the same.
std::u16string Convert(reference::Conversion conversion, std::u16string_view in) {
  switch (conversion) {
    case reference::Conversion::kAddCharacters: return AddCharacters(in, u"\x1A");
    case reference::Conversion::kReverseText: return ReverseText(in);
    case reference::Conversion::kVerticalLayout: return VerticalLayout(in);
    case reference::Conversion::kConvertByTable: break;
  }
  return ConvertByTable(in, kSimplified, kTraditional);
}

void BM_Convert(benchmark::State& state, reference::Conversion conversion) {
  const std::u16string& input = MixedText(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(Convert(conversion, input).data());
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_ConvertText(benchmark::State& state, reference::Conversion conversion, TextKind kind) {
  const std::u16string& input = TextOf(kind, state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(Convert(conversion, input).data());
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Linear in the length, whatever the text: each conversion on hostile text of
// growing length, its complexity fitted by the library.
void BM_ConvertHostile(benchmark::State& state, reference::Conversion conversion,
                       HostileKind kind) {
  const std::u16string input = HostileText(kind, state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(Convert(conversion, input).data());
  state.SetComplexityN(state.range(0));
}

// The floors the conversions are measured against: copying their input or
// their output.
void BM_CopyInput(benchmark::State& state) {
  const std::u16string& input = MixedText(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(std::u16string(input).data());
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_CopyOutput(benchmark::State& state, reference::Conversion conversion) {
  const std::u16string output = Convert(conversion, MixedText(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(std::u16string(output).data());
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// What marking the characters with other forms adds to 简→繁 (the window
// and the page mark after the conversion).
void BM_MarkCharacterForms(benchmark::State& state) {
  const std::u16string& input = MixedText(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(MarkCharacterForms(input, FormsDirection::kToTraditional).data());
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Finding the places where the words ask for another form (简→繁), on the
// benchmarks' mixed text and, where TAVRO_REAL_TEXT names it, on real text.
QString RealText(std::int64_t bytes);
void BM_SuggestForms(benchmark::State& state, bool real) {
  const std::u16string input =
      real ? RealText(state.range(0)).toStdU16String() : MixedText(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(SuggestForms(input, FormsDirection::kToTraditional).data());
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Reading the phrases of both directions, as the page does with its
// phrases.bin (TAVRO_PHRASES names it; the desktop reads the same phrases
// once, at the first 简→繁 or 繁→简).
void BM_ReadPhrases(benchmark::State& state) {
  QFile file(qEnvironmentVariable("TAVRO_PHRASES"));
  const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  const std::u16string_view data(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
  const std::size_t end = std::min(data.find(u'\0'), data.size());
  for (auto _ : state) {
    PhraseDictionary toTraditional(data.substr(0, end));
    PhraseDictionary toSimplified(data.substr(std::min(end + 1, data.size())));
    benchmark::DoNotOptimize(toSimplified.Suggest(u"計畫").data());
    benchmark::DoNotOptimize(toTraditional.Suggest(u"头发").data());
  }
  state.SetBytesProcessed(state.iterations() * bytes.size());
}

// The per-character scan that the table conversion's index replaces.
void BM_LiteralScan(benchmark::State& state) {
  const std::u16string& input = MixedText(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(reference::LiteralScan(input, kSimplified, kTraditional).data());
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The window's input field keeps line breaks as LF, so both window
// benchmarks convert what the field holds.
void BM_WindowCommand(benchmark::State& state, QPushButton* Form1Controls::*button) {
  form->Text1->setPlainText(QString::fromStdU16String(MixedText(state.range(0))));
  for (auto _ : state) (form->*button)->click();
}

// Real text: `bytes` of the file TAVRO_REAL_TEXT names (tests/real_text's
// simplified catalogue), repeated.
QString RealText(std::int64_t bytes) {
  QFile file(qEnvironmentVariable("TAVRO_REAL_TEXT"));
  const QString text =
      file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  return text.isEmpty() ? text : text.repeated(bytes / 2 / text.size() + 1).left(bytes / 2);
}

void BM_WindowCommandRealText(benchmark::State& state, QPushButton* Form1Controls::*button) {
  form->Text1->setPlainText(RealText(state.range(0)));
  for (auto _ : state) (form->*button)->click();
}

// Publishing the command's result without converting anything.
void BM_WindowPublishOnly(benchmark::State& state, QPushButton* Form1Controls::*button) {
  form->Text1->setPlainText(QString::fromStdU16String(MixedText(state.range(0))));
  (form->*button)->click();
  const std::u16string result(CodeUnits(FieldText(*form->Text2)));
  for (auto _ : state) form->PublishResult(result);
}

double ResidentMiB() {
  long pages = 0, resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<double>(resident) * 4096 / kMiB;
}

// Eight different 16 MiB texts pasted into the input field, each replacing
// the last (ctrl+a, ctrl+v): resident memory after each, with the heap's free
// pages handed back first, so that it counts what the program holds.
void BM_RepeatedPastes(benchmark::State& state) {
  const QString text = QString::fromStdU16String(MixedText(16 * kMiB));
  for (auto _ : state) {
    for (int paste = 1; paste <= 8; ++paste) {
      QGuiApplication::clipboard()->setText(QString::number(paste) + text);
      form->Text1->selectAll();
      form->Text1->paste();
      QApplication::processEvents();
      malloc_trim(0);
      state.counters["rss_after_paste_" + std::to_string(paste) + "_MiB"] = ResidentMiB();
    }
  }
}

// 10,000 commands in a row on changing input, each result checked: resident
// memory at the start and at the end should match.
void BM_LongSession(benchmark::State& state) {
  struct Step {
    QPushButton* Form1Controls::*button;
    QString input, expected;
  };
  using C = Form1Controls;
  // clang-format off
  const Step steps[] = {{&C::Command1, "中文", "-中-文"},          {&C::Command3, "中文abc😀", "😀cba文中"},
                        {&C::Command4, "中文字符", "中|字|\n文|符|\n"}, {&C::Command5, "啊阿埃", "娿婀埃"},
                        {&C::Command6, "爱处啊中", "愛處啊中"},     {&C::Command7, "愛疊沈矽後", "爱迭沉硅后"}};
  // clang-format on
  form->Text3->setText(QStringLiteral("-"));
  state.counters["rss_start_MiB"] = ResidentMiB();
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i) {
      // Every seventh command reverses a text of changing length.
      const int length = i % 300;
      const Step step = i % 7 == 6 ? Step{&C::Command3, QString("中文").repeated(length),
                                          QString("文中").repeated(length)}
                                   : steps[i % 7];
      form->Text1->setPlainText(step.input);
      (form->*step.button)->click();
      if (QGuiApplication::clipboard()->text() != step.expected)
        state.SkipWithError("wrong result");
      QApplication::processEvents();  // as the event loop would between clicks
    }
  }
  state.counters["rss_end_MiB"] = ResidentMiB();
}

void RegisterBenchmarks() {
  using reference::Conversion;
  const std::pair<const char*, Conversion> conversions[] = {
      {"AddCharacters", Conversion::kAddCharacters},
      {"ReverseText", Conversion::kReverseText},
      {"VerticalLayout", Conversion::kVerticalLayout},
      {"ConvertByTable", Conversion::kConvertByTable}};
  const std::pair<const char*, QPushButton * Form1Controls::*> commands[] = {
      {"加字符", &Form1Controls::Command1}, {"倒序", &Form1Controls::Command3},
      {"竖排", &Form1Controls::Command4},   {"火星文", &Form1Controls::Command5},
      {"简→繁", &Form1Controls::Command6},  {"繁→简", &Form1Controls::Command7}};
  const auto sizes = [](benchmark::internal::Benchmark* b) {
    b->Arg(kMiB)->Arg(16 * kMiB)->Unit(benchmark::kMillisecond);
  };
  benchmark::RegisterBenchmark("CopyInput", BM_CopyInput)->Apply(sizes);
  benchmark::RegisterBenchmark("MarkCharacterForms", BM_MarkCharacterForms)->Apply(sizes);
  benchmark::RegisterBenchmark("SuggestForms", BM_SuggestForms, false)->Apply(sizes);
  for (const auto& [name, conversion] : conversions) {
    benchmark::RegisterBenchmark((std::string("Convert/") + name).c_str(), BM_Convert, conversion)
        ->Apply(sizes);
  }
  for (const auto& [name, conversion] : conversions) {
    for (const auto& [kindName, kind] :
         {std::pair{"/ASCII", TextKind::kAscii}, std::pair{"/hanzi", TextKind::kHanzi},
          std::pair{"/emoji", TextKind::kEmoji}}) {
      benchmark::RegisterBenchmark((std::string("ConvertText/") + name + kindName).c_str(),
                                   BM_ConvertText, conversion, kind)
          ->Arg(kMiB)
          ->Unit(benchmark::kMillisecond);
    }
  }
  for (const auto& [name, conversion] : {conversions[0], conversions[1], conversions[2]}) {
    for (const auto& [kindName, kind] :
         {std::pair{"/accents", HostileKind::kAccents},
          std::pair{"/flags", HostileKind::kRegionalIndicators},
          std::pair{"/lone-surrogates", HostileKind::kLoneSurrogates},
          std::pair{"/lone-joiners", HostileKind::kLoneJoiners}}) {
      benchmark::RegisterBenchmark((std::string("ConvertHostile/") + name + kindName).c_str(),
                                   BM_ConvertHostile, conversion, kind)
          ->RangeMultiplier(10)
          ->Range(10000, 1000000)
          ->Complexity(benchmark::oN)
          ->Unit(benchmark::kMicrosecond);
    }
  }
  for (const auto& [name, conversion] : {conversions[0], conversions[2]}) {
    benchmark::RegisterBenchmark((std::string("CopyOutput/") + name).c_str(), BM_CopyOutput,
                                 conversion)
        ->Apply(sizes);
  }
  if (qEnvironmentVariableIsSet("TAVRO_PHRASES")) {
    benchmark::RegisterBenchmark("ReadPhrases", BM_ReadPhrases)->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("LiteralScan", BM_LiteralScan)
      ->Arg(kMiB)
      ->Unit(benchmark::kMillisecond);
  for (const auto& [name, button] : commands) {
    benchmark::RegisterBenchmark((std::string("WindowCommand/") + name).c_str(), BM_WindowCommand,
                                 button)
        ->Apply(sizes);
    benchmark::RegisterBenchmark((std::string("WindowPublishOnly/") + name).c_str(),
                                 BM_WindowPublishOnly, button)
        ->Apply(sizes);
  }
  if (!RealText(2).isEmpty()) {
    benchmark::RegisterBenchmark("SuggestForms/real", BM_SuggestForms, true)->Apply(sizes);
    for (const auto& [name, button] : {commands[3], commands[4]}) {
      benchmark::RegisterBenchmark((std::string("WindowCommandRealText/") + name).c_str(),
                                   BM_WindowCommandRealText, button)
          ->Arg(kMiB)
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::RegisterBenchmark("RepeatedPastes", BM_RepeatedPastes)
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("LongSession", BM_LongSession)
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace tavro

int main(int argc, char** argv) {
  // Keep freed memory in the heap: on this kind of virtual machine every fresh
  // page costs microseconds, which would swamp the 16 MiB conversions.
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  tavro::Form1 window;
  window.show();
  QApplication::processEvents();
  tavro::form = &window;
  tavro::RegisterBenchmarks();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak resident memory: %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
}
