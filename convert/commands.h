// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "character_forms.h"
#include "character_tables.h"

namespace tavro {

// The program's seven commands, one per button of the window and the page.
enum class Command {
  kAddCharacters,    // 加字符
  kRandomSeparator,  // 随机: a new separator, then 加字符
  kReverseText,      // 倒序
  kVerticalLayout,   // 竖排
  kMartian,          // 火星文
  kToTraditional,    // 简→繁
  kToSimplified,     // 繁→简
};
inline constexpr Command kCommands[] = {Command::kAddCharacters, Command::kRandomSeparator,
                                        Command::kReverseText,   Command::kVerticalLayout,
                                        Command::kMartian,       Command::kToTraditional,
                                        Command::kToSimplified};

// The command's name on the page and in test reports ("vertical-layout").
std::string_view CommandName(Command command);
// The command of that name; none for any other text.
std::optional<Command> CommandNamed(std::string_view name);

// The source and target table of a command that converts through them.
struct TablePair {
  TableKind from;
  TableKind to;
};
std::optional<TablePair> TablesOf(Command command);
// Whose forms a command's result offers (marked characters): 简→繁 and 繁→简.
std::optional<FormsDirection> FormsOf(Command command);

// The three tables as the front end holds them, read at each command.
struct ConversionTables {
  std::u16string_view martian, simplified, traditional;
  std::u16string_view operator[](TableKind kind) const;
};

// The length of `command`'s result, known before it is built, for the
// separator given (随机's is the one already drawn); SIZE_MAX when it could
// not exist.
std::size_t ResultLength(Command command, std::u16string_view input, std::size_t separatorLength);
// The result of `command` for the input and separator given (随机: the one
// already drawn), through `tables` where it converts through them. Throws
// std::bad_alloc or std::length_error where the result does not fit.
std::u16string RunCommand(Command command, std::u16string_view input, std::u16string_view separator,
                          const ConversionTables& tables);

}  // namespace tavro
