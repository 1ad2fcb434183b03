// SPDX-License-Identifier: MIT
#include "character_tables.h"

#include <iterator>
#include <span>

namespace tavro {
namespace {

// The three tables, chunk by chunk: the eleven of the hand-made positions
// (ten of 100, one of 24), then OpenCC's in chunks of 100.
#include "tables/character_tables.inc"

using TableChunks = std::span<const std::u16string_view>;

static_assert(std::size(kMartianChunks) == std::size(kSimplifiedChunks) &&
              std::size(kSimplifiedChunks) == std::size(kTraditionalChunks));

TableChunks ChunksOf(TableKind kind) {
  switch (kind) {
    case TableKind::kMartian: return kMartianChunks;
    case TableKind::kSimplified: return kSimplifiedChunks;
    case TableKind::kTraditional: break;
  }
  return kTraditionalChunks;
}

}  // namespace

std::u16string TableText(TableKind kind) {
  std::u16string text;
  for (std::u16string_view chunk : ChunksOf(kind)) text.append(chunk);
  return text;
}

void LoadTables(const AppendToTableField& appendToField) {
  for (TableKind kind : {TableKind::kMartian, TableKind::kSimplified, TableKind::kTraditional}) {
    for (std::u16string_view chunk : ChunksOf(kind)) appendToField(kind, chunk);
  }
}

}  // namespace tavro
