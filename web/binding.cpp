// SPDX-License-Identifier: MIT
// The page's way into the conversions: UTF-16 in, UTF-16 out, through the
// module's memory. The page writes the input there, runs a command and reads
// the result; everything the desktop's commands compute is computed here.
#include <emscripten/emscripten.h>

#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "character_forms.h"
#include "character_tables.h"
#include "result_bound.h"
#include "reversal.h"
#include "separator.h"
#include "table_conversion.h"
#include "vertical_layout.h"

namespace tavro {
namespace {

// The commands, numbered as the window numbers its buttons (Command1 ...);
// 随机 (2) is the page's new separator, then 加字符.
enum Command {
  kAddCharacters = 1,
  kReverseText = 3,
  kVerticalLayout = 4,
  kMartian = 5,
  kSimplifiedToTraditional = 6,
  kTraditionalToSimplified = 7,
};

enum Outcome { kPublished = 0, kTooLong = 1, kOutOfMemory = 2, kUnknownCommand = 3 };

std::u16string result;
// After 简→繁 and 繁→简: each marked character as its position and its
// source, and the forms of each source as the source, its forms and U+0000.
std::vector<std::uint32_t> marks;
std::u16string forms;
RandomSource randomSource;  // unseeded: the desktop's sequence

const std::u16string& Table(TableKind kind) {
  static const std::u16string tables[] = {TableText(TableKind::kMartian),
                                          TableText(TableKind::kSimplified),
                                          TableText(TableKind::kTraditional)};
  return tables[static_cast<int>(kind)];
}

std::u16string ThroughTables(std::u16string_view input, TableKind from, TableKind to) {
  return ConvertByTable(input, Table(from), Table(to));
}

// The result's length, known before it is built, as the desktop checks it.
std::size_t ResultLength(int command, std::u16string_view input, std::size_t separatorLength) {
  switch (command) {
    case kAddCharacters: return AddCharactersLength(input, separatorLength);
    case kVerticalLayout: return VerticalLayoutLength(input);
    default: return input.size();
  }
}

void MarkForms(int command, std::u16string_view input) {
  if (command != kSimplifiedToTraditional && command != kTraditionalToSimplified) return;
  const std::vector<MarkedCharacter> marked = MarkCharacterForms(
      input, command == kSimplifiedToTraditional ? FormsDirection::kToTraditional
                                                 : FormsDirection::kToSimplified);
  std::vector<bool> listed(0x10000);
  for (const MarkedCharacter& mark : marked) {
    marks.push_back(static_cast<std::uint32_t>(mark.position));
    marks.push_back(mark.source);
    if (listed[mark.source]) continue;
    listed[mark.source] = true;
    forms += mark.source;
    forms += mark.forms;
    forms += u'\0';
  }
}

std::u16string Convert(int command, std::u16string_view input, std::u16string_view separator) {
  switch (command) {
    case kAddCharacters: return AddCharacters(input, separator);
    case kReverseText: return ReverseText(input);
    case kVerticalLayout: return VerticalLayout(input);
    case kMartian: return ThroughTables(input, TableKind::kSimplified, TableKind::kMartian);
    case kSimplifiedToTraditional:
      return ThroughTables(input, TableKind::kSimplified, TableKind::kTraditional);
    default: return ThroughTables(input, TableKind::kTraditional, TableKind::kSimplified);
  }
}

}  // namespace
}  // namespace tavro

extern "C" {

// Room for `units` code units in the module's memory; null when there is none.
EMSCRIPTEN_KEEPALIVE char16_t* tavro_allocate(std::size_t units) {
  return static_cast<char16_t*>(std::malloc(units * sizeof(char16_t) + 1));
}

EMSCRIPTEN_KEEPALIVE void tavro_free(char16_t* units) { std::free(units); }

// Runs `command` on the input and separator given; on kPublished the result
// waits in tavro_result() until the next command or tavro_release_result().
// Any other outcome leaves no result.
EMSCRIPTEN_KEEPALIVE int tavro_run(int command, const char16_t* input, std::size_t inputLength,
                                   const char16_t* separator, std::size_t separatorLength) {
  using namespace tavro;
  result = std::u16string();
  marks = {};
  forms = std::u16string();
  if (command < kAddCharacters || command > kTraditionalToSimplified || command == 2)
    return kUnknownCommand;
  const std::u16string_view in(input, inputLength), by(separator, separatorLength);
  if (ResultLength(command, in, separatorLength) > kMaxResultLength) return kTooLong;
  try {
    result = Convert(command, in, by);
    MarkForms(command, in);
  } catch (const std::bad_alloc&) {
    result = std::u16string();
    marks = {};
    forms = std::u16string();
    return kOutOfMemory;
  } catch (const std::length_error&) {
    return kTooLong;
  }
  return kPublished;
}

EMSCRIPTEN_KEEPALIVE const char16_t* tavro_result() { return tavro::result.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t tavro_result_length() { return tavro::result.size(); }
EMSCRIPTEN_KEEPALIVE void tavro_release_result() { tavro::result = std::u16string(); }

// The characters of the result with other forms: tavro_mark_count() pairs of
// position and source character at tavro_marks(); the forms of every source
// at tavro_forms(), each entry the source, its forms, the one written first,
// and U+0000. Kept until the next command.
EMSCRIPTEN_KEEPALIVE std::size_t tavro_mark_count() { return tavro::marks.size() / 2; }
EMSCRIPTEN_KEEPALIVE const std::uint32_t* tavro_marks() { return tavro::marks.data(); }
EMSCRIPTEN_KEEPALIVE const char16_t* tavro_forms() { return tavro::forms.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t tavro_forms_length() { return tavro::forms.size(); }

// The next random separator, as the desktop's 随机 draws it.
EMSCRIPTEN_KEEPALIVE int tavro_random_separator() {
  return tavro::PickRandomSeparator(tavro::randomSource);
}

}  // extern "C"
