// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tavro {

// Three tables aligned position by position, for 火星文, 简→繁 and 繁→简. The
// first 1,024 positions are the first 1,024 level-1 hanzi of GB 2312, their
// traditional forms and their Martian look-alikes, in eleven chunks (ten of
// 100, one of 24). After them come OpenCC's characters, in chunks of 100,
// ordered so that a first-occurrence lookup gives Taiwan's standard forms for
// simplified text and the simplified forms for either standard's traditional
// text; their Martian form is the character itself.
enum class TableKind { kMartian, kSimplified, kTraditional };

// One whole table.
std::u16string TableText(TableKind kind);

// Receives one chunk for the field that holds the table of that kind; the
// window appends it to the field's current text.
using AppendToTableField = std::function<void(TableKind, std::u16string_view chunk)>;

// Hands every chunk of the Martian, then the simplified, then the traditional
// table to `appendToField`, in position order.
void LoadTables(const AppendToTableField& appendToField);

}  // namespace tavro
