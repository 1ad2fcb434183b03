// SPDX-License-Identifier: MIT
#include "character_tables.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tavro {
namespace {

// Converts between encodings with iconv; nullopt when iconv refuses.
std::optional<std::string> Iconv(const char* to, const char* from, const std::string& bytes) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in = bytes, out(bytes.size() * 4 + 16, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

std::string AsUtf16Bytes(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes;
}

const std::u16string kMartian = TableText(TableKind::kMartian);
const std::u16string kSimplified = TableText(TableKind::kSimplified);
const std::u16string kTraditional = TableText(TableKind::kTraditional);

TEST(CharacterTablesTest, SimplifiedTableFollowsGb2312CodeOrder) {
  std::string gb2312;
  for (int row = 0xB0; row <= 0xBA; ++row) {
    for (int column = 0xA1; column <= 0xFE; ++column) {
      gb2312 += {static_cast<char>(row), static_cast<char>(column)};
    }
  }
  gb2312.resize(2 * kTableLength);  // up to 0xBAF4 (呼)
  EXPECT_EQ(Iconv("UTF-16LE", "GB2312", gb2312), AsUtf16Bytes(kSimplified));
  EXPECT_EQ(std::set<char16_t>(kSimplified.begin(), kSimplified.end()).size(), kTableLength);
}

TEST(CharacterTablesTest, TablesAreAlignedPositionByPosition) {
  for (const std::u16string* table : {&kMartian, &kSimplified, &kTraditional}) {
    ASSERT_EQ(table->size(), kTableLength);
    // Every character is double-byte in code page 936.
    EXPECT_EQ(Iconv("CP936", "UTF-16LE", AsUtf16Bytes(*table)).value_or("").size(),
              2 * kTableLength);
  }
  // Positions 1, 382 and 1,024 (1-based).
  EXPECT_EQ(kSimplified.substr(0, 14), u"啊阿埃挨哎唉哀皑癌蔼矮艾碍爱");
  EXPECT_EQ(kSimplified.substr(1016), u"喉侯猴吼厚候后呼");
  EXPECT_EQ((std::u16string{kSimplified[0], kTraditional[0], kMartian[0]}), u"啊啊娿");
  EXPECT_EQ((std::u16string{kSimplified[381], kTraditional[381], kMartian[381]}), u"处處處");
  EXPECT_EQ((std::u16string{kSimplified[1023], kTraditional[1023], kMartian[1023]}), u"呼呼苸");
  // 疊 stands for both 迭 (562) and 叠 (564).
  EXPECT_EQ(kTraditional.substr(561, 3), u"疊諜疊");
  EXPECT_EQ(kSimplified.substr(561, 3), u"迭谍叠");

  int sameTraditional = 0, sameMartian = 0;
  for (std::size_t pos = 0; pos < kTableLength; ++pos) {
    sameTraditional += kTraditional[pos] == kSimplified[pos];
    sameMartian += kMartian[pos] == kSimplified[pos];
  }
  EXPECT_EQ(sameTraditional, 701);
  EXPECT_EQ(sameMartian, 361);
}

TEST(CharacterTablesTest, LoadTablesHandsOverElevenChunksPerTableInOrder) {
  std::u16string fields[3];
  std::vector<TableKind> order;
  const AppendToTableField append = [&](TableKind kind, std::u16string_view chunk) {
    fields[static_cast<int>(kind)].append(chunk);
    if (order.empty() || order.back() != kind) order.push_back(kind);
  };
  LoadTables(append);
  EXPECT_EQ(order, (std::vector{TableKind::kMartian, TableKind::kSimplified, TableKind::kTraditional}));
  EXPECT_EQ(fields[static_cast<int>(TableKind::kMartian)], kMartian);
  EXPECT_EQ(fields[static_cast<int>(TableKind::kSimplified)], kSimplified);
  EXPECT_EQ(fields[static_cast<int>(TableKind::kTraditional)], kTraditional);
  // A second load appends a second copy.
  LoadTables(append);
  EXPECT_EQ(fields[static_cast<int>(TableKind::kTraditional)], kTraditional + kTraditional);
  for (TableKind kind : {TableKind::kMartian, TableKind::kSimplified, TableKind::kTraditional}) {
    for (std::size_t chunk = 0; chunk < kTableChunkCount; ++chunk) {
      EXPECT_EQ(ChunksOf(kind)[chunk].size(), chunk < 10 ? 100u : 24u);
    }
  }
}

}  // namespace
}  // namespace tavro
