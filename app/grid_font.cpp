// SPDX-License-Identifier: MIT
#include "grid_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <cmath>
#include <iterator>

namespace tavro {
namespace {

// 宋体 and 新宋体 on Windows; on Linux the monospaced faces of Noto CJK
// (fonts-noto-cjk) and WenQuanYi Zen Hei (fonts-wqy-zenhei), which are drawn
// on the same grid.
const char* const kPreferredFamilies[] = {
    "NSimSun",
    "新宋体",
    "SimSun",
    "宋体",
    "Noto Sans Mono CJK SC",
    "WenQuanYi Zen Hei Mono",
    "Noto Sans Mono CJK TC",
    "Noto Sans Mono CJK HK",
    "Noto Sans Mono CJK JP",
    "Noto Sans Mono CJK KR",
    "Source Han Mono SC",
    "Sarasa Mono SC",
    "Sarasa Term SC",
    "AR PL UMing CN",
    "AR PL UKai CN",
};

// A sample of what a grid holds: one-byte cells, and two-byte ones of every
// kind the tables and users' texts bring (hanzi simplified and traditional,
// Martian look-alikes, full-width punctuation, circled digits).
constexpr char16_t kOneByteCells[] =
    u"| 0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-=.,?!";
constexpr char16_t kTwoByteCells[] = u"中一国啊呼愛處娿婀，。！？（）：；、“”②　";
// Drawn two columns wide though code page 936 lacks them.
constexpr char16_t kHangulCells[] = u"한국어으가힣";

}  // namespace

namespace {

// How a font draws a grid: not at all, or lining up, or with Hangul too.
enum class GridFit { kNone, kGrid, kGridAndHangul };

GridFit MeasureGridFit(const QFont& font) {
  const QFontMetricsF metrics(font);
  const qreal cell = metrics.horizontalAdvance(QLatin1Char(' '));
  if (cell <= 0) return GridFit::kNone;
  // Fonts are measured in fractions of a pixel; a hundredth of a cell over a
  // line of a hundred cells still stays within one pixel. Each character
  // alone, as the font draws it, without laying out a text.
  const auto hasWidth = [&](const char16_t* cells, qreal width) {
    for (const char16_t* c = cells; *c != 0; ++c) {
      if (std::abs(metrics.horizontalAdvance(QChar(*c)) - width) > cell / 100) return false;
    }
    return true;
  };
  if (!hasWidth(kOneByteCells, cell) || !hasWidth(kTwoByteCells, 2 * cell)) return GridFit::kNone;
  return hasWidth(kHangulCells, 2 * cell) ? GridFit::kGridAndHangul : GridFit::kGrid;
}

QFont GridFontOf(const QString& family) {
  QFont font(family);
  font.setPixelSize(kGridFontPixelSize);
  return font;
}

}  // namespace

bool FitsGrid(const QFont& font, bool hangul) {
  const GridFit fit = MeasureGridFit(font);
  return hangul ? fit == GridFit::kGridAndHangul : fit != GridFit::kNone;
}

namespace {

// The fonts chosen so far: the first that fits the grid, and where its
// Hangul does not, the index of the preferred family after it.
struct GridFontChoice {
  std::optional<QString> family;
  std::size_t laterFamilies = std::size(kPreferredFamilies);
  std::optional<QString> better;  // found by BetterGridFont()
};

GridFontChoice& Choice() {
  // The installed fonts are measured once a run; every window gets the same.
  static GridFontChoice choice = [] {
    GridFontChoice first;
    // The installed families, listed once: asking for each preferred one by
    // name would have the system resolve every name it does not know.
    const QStringList installed = QFontDatabase::families();
    for (std::size_t index = 0; index < std::size(kPreferredFamilies); ++index) {
      const QString candidate = QString::fromUtf8(kPreferredFamilies[index]);
      if (!installed.contains(candidate, Qt::CaseInsensitive)) continue;
      const GridFit fit = MeasureGridFit(GridFontOf(candidate));
      if (fit == GridFit::kNone) continue;
      first.family = candidate;
      if (fit == GridFit::kGrid) first.laterFamilies = index + 1;
      return first;
    }
    for (const QString& candidate : QFontDatabase::families(QFontDatabase::SimplifiedChinese)) {
      if (MeasureGridFit(GridFontOf(candidate)) != GridFit::kNone) {
        first.family = candidate;
        return first;
      }
    }
    return first;
  }();
  return choice;
}

}  // namespace

std::optional<QFont> GridFont() {
  const GridFontChoice& choice = Choice();
  const std::optional<QString>& family = choice.better ? choice.better : choice.family;
  if (!family) return std::nullopt;
  return GridFontOf(*family);
}

std::optional<QFont> BetterGridFont() {
  GridFontChoice& choice = Choice();
  // Every later window asks again: the fonts are listed only while some are
  // left to measure.
  const QStringList installed =
      choice.laterFamilies < std::size(kPreferredFamilies) ? QFontDatabase::families() : QStringList();
  // Noto's monospaced Hangul is a little narrower than two cells, so
  // WenQuanYi's comes first where both are installed.
  while (choice.laterFamilies < std::size(kPreferredFamilies)) {
    const QString candidate = QString::fromUtf8(kPreferredFamilies[choice.laterFamilies++]);
    if (installed.contains(candidate, Qt::CaseInsensitive) &&
        MeasureGridFit(GridFontOf(candidate)) == GridFit::kGridAndHangul) {
      choice.better = candidate;
      choice.laterFamilies = std::size(kPreferredFamilies);
    }
  }
  if (!choice.better) return std::nullopt;
  return GridFontOf(*choice.better);
}

}  // namespace tavro
