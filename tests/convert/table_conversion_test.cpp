// SPDX-License-Identifier: MIT
#include "table_conversion.h"

#include <gtest/gtest.h>

#include "character_tables.h"
#include "random_text.h"
#include "reference/plain_conversions.h"

namespace tavro {
namespace {

const std::u16string kMartian = TableText(TableKind::kMartian);
const std::u16string kSimplified = TableText(TableKind::kSimplified);
const std::u16string kTraditional = TableText(TableKind::kTraditional);

std::u16string ToTraditional(std::u16string_view text) {
  return ConvertByTable(text, kSimplified, kTraditional);
}
std::u16string ToSimplified(std::u16string_view text) {
  return ConvertByTable(text, kTraditional, kSimplified);
}
std::u16string ToMartian(std::u16string_view text) {
  return ConvertByTable(text, kSimplified, kMartian);
}

TEST(ConvertByTableTest, ConvertsWithTheCharacterTables) {
  // Typical text.
  EXPECT_EQ(ToTraditional(u"爱处啊"), u"愛處啊");
  EXPECT_EQ(ToSimplified(u"愛處"), u"爱处");
  EXPECT_EQ(ToMartian(u"啊阿埃"), u"娿婀埃");
  EXPECT_EQ(ToTraditional(u"太后的头发干燥"), u"太後的头發幹燥");
  // First occurrence wins: 疊 goes back to 迭, not 叠.
  EXPECT_EQ(ToSimplified(u"疊"), u"迭");
  // Only traditional-to-simplified knows these three characters after 呼.
  EXPECT_EQ(ToSimplified(u"沈矽後"), u"沉硅后");
  EXPECT_EQ(ToTraditional(u"沈矽後"), u"沈矽後");
  EXPECT_EQ(ToMartian(u"沈矽後"), u"沈矽後");
  // Unknown characters, line breaks and surrogate pairs pass through.
  EXPECT_EQ(ToTraditional(u"中 a1,\r\n😀𠍀"), u"中 a1,\r\n😀𠍀");
  EXPECT_EQ(ToSimplified(u"爱"), u"爱");
  // Empty input.
  EXPECT_EQ(ToTraditional(u""), u"");
}

TEST(ConvertByTableTest, HandlesEmptyDoubledAndShortTables) {
  EXPECT_EQ(ConvertByTable(u"爱疊", u"", u""), u"爱疊");
  const std::u16string doubledTraditional = kTraditional + kTraditional;
  const std::u16string doubledSimplified = kSimplified + kSimplified;
  EXPECT_EQ(ConvertByTable(u"疊愛", doubledTraditional, doubledSimplified), u"迭爱");
  // A position past the end of the target contributes nothing.
  EXPECT_EQ(ConvertByTable(u"abcx", u"abc", u"AB"), u"ABx");
  EXPECT_EQ(ConvertByTable(u"abc", u"abc", u""), u"");
  // Only code units are compared: no case folding.
  EXPECT_EQ(ConvertByTable(u"aA", u"a", u"b"), u"bA");
}

TEST(ConvertByTableTest, AgreesWithTheLiteralScanOnRandomTables) {
  std::mt19937 random(11);
  for (int i = 0; i < 1000; ++i) {
    const std::u16string input = testing::RandomText(random, 30);
    const std::u16string source = testing::RandomText(random, 12);
    const std::u16string target = testing::RandomText(random, 12);
    ASSERT_EQ(ConvertByTable(input, source, target), reference::LiteralScan(input, source, target));
  }
}

TEST(ConvertByTableTest, KeepsTheLengthWithTheCharacterTables) {
  std::mt19937 random(5);
  for (int i = 0; i < 500; ++i) {
    const std::u16string input = testing::RandomText(random, 50) + kTraditional.substr(i, 9);
    ASSERT_EQ(ToTraditional(input).size(), input.size());
    ASSERT_EQ(ToSimplified(input).size(), input.size());
    ASSERT_EQ(ToMartian(input).size(), input.size());
  }
}

}  // namespace
}  // namespace tavro
