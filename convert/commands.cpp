// SPDX-License-Identifier: MIT
#include "commands.h"

#include "reversal.h"
#include "separator.h"
#include "table_conversion.h"
#include "vertical_layout.h"

namespace tavro {
namespace {

constexpr std::string_view kCommandNames[] = {
    "add-characters", "random-separator", "reverse-text",  "vertical-layout",
    "martian",        "to-traditional",   "to-simplified",
};
static_assert(std::size(kCommandNames) == std::size(kCommands));

}  // namespace

std::string_view CommandName(Command command) { return kCommandNames[static_cast<int>(command)]; }

std::optional<Command> CommandNamed(std::string_view name) {
  for (Command command : kCommands) {
    if (CommandName(command) == name) return command;
  }
  return std::nullopt;
}

std::optional<TablePair> TablesOf(Command command) {
  switch (command) {
    case Command::kMartian: return TablePair{TableKind::kSimplified, TableKind::kMartian};
    case Command::kToTraditional: return TablePair{TableKind::kSimplified, TableKind::kTraditional};
    case Command::kToSimplified: return TablePair{TableKind::kTraditional, TableKind::kSimplified};
    default: return std::nullopt;
  }
}

std::optional<FormsDirection> FormsOf(Command command) {
  switch (command) {
    case Command::kToTraditional: return FormsDirection::kToTraditional;
    case Command::kToSimplified: return FormsDirection::kToSimplified;
    default: return std::nullopt;
  }
}

std::u16string_view ConversionTables::operator[](TableKind kind) const {
  switch (kind) {
    case TableKind::kMartian: return martian;
    case TableKind::kSimplified: return simplified;
    case TableKind::kTraditional: break;
  }
  return traditional;
}

std::size_t ResultLength(Command command, std::u16string_view input, std::size_t separatorLength) {
  switch (command) {
    case Command::kAddCharacters:
    case Command::kRandomSeparator: return AddCharactersLength(input, separatorLength);
    case Command::kVerticalLayout: return VerticalLayoutLength(input);
    default: return input.size();  // one unit for one
  }
}

std::u16string RunCommand(Command command, std::u16string_view input, std::u16string_view separator,
                          const ConversionTables& tables) {
  switch (command) {
    case Command::kAddCharacters:
    case Command::kRandomSeparator: return AddCharacters(input, separator);
    case Command::kReverseText: return ReverseText(input);
    case Command::kVerticalLayout: return VerticalLayout(input);
    default: break;
  }
  const TablePair pair = *TablesOf(command);
  return ConvertByTable(input, tables[pair.from], tables[pair.to]);
}

}  // namespace tavro
