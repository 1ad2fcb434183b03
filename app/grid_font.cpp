// SPDX-License-Identifier: MIT
#include "grid_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

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

bool FitsGrid(const QFont& font, bool hangul) {
  const QFontMetricsF metrics(font);
  const qreal cell = metrics.horizontalAdvance(QLatin1Char(' '));
  if (cell <= 0) return false;
  // Fonts are measured in fractions of a pixel; a hundredth of a cell over a
  // line of a hundred cells still stays within one pixel.
  const auto hasWidth = [&](const char16_t* cells, qreal width) {
    for (const char16_t* c = cells; *c != 0; ++c) {
      if (std::abs(metrics.horizontalAdvance(QString(QChar(*c))) - width) > cell / 100) {
        return false;
      }
    }
    return true;
  };
  return hasWidth(kOneByteCells, cell) && hasWidth(kTwoByteCells, 2 * cell) &&
         (!hangul || hasWidth(kHangulCells, 2 * cell));
}

std::optional<QFont> GridFont() {
  const auto font = [](const QString& family) {
    QFont font(family);
    font.setPixelSize(kGridFontPixelSize);
    return font;
  };
  const auto firstFitting = [&](const QStringList& families,
                                bool hangul) -> std::optional<QString> {
    for (const QString& family : families) {
      if (QFontDatabase::hasFamily(family) && FitsGrid(font(family), hangul)) return family;
    }
    return std::nullopt;
  };
  // The installed fonts are measured once a run; every window gets the same.
  static const std::optional<QString> family = [&] {
    QStringList preferred;
    for (const char* name : kPreferredFamilies) preferred.append(QString::fromUtf8(name));
    // Listing every installed family costs more than measuring a few fonts.
    // Noto's monospaced Hangul is a little narrower than two cells, so
    // WenQuanYi's comes first where both are installed.
    if (std::optional<QString> found = firstFitting(preferred, true)) return found;
    if (std::optional<QString> found = firstFitting(preferred, false)) return found;
    return firstFitting(QFontDatabase::families(QFontDatabase::SimplifiedChinese), false);
  }();
  if (!family) return std::nullopt;
  return font(*family);
}

}  // namespace tavro
