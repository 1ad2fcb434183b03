// SPDX-License-Identifier: MIT
// The page's way into the conversions: UTF-16 in, UTF-16 out, through the
// module's memory. The page writes the input there, runs a command and reads
// the result; everything the desktop's commands compute is computed here.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "character_forms.h"
#include "character_tables.h"
#include "commands.h"
#include "phrase_suggestions.h"
#include "program_facts.h"
#include "separator.h"

namespace tavro {
namespace {

std::u16string result;
std::u16string notice;        // why the last command left no result
char16_t drawnSeparator = 0;  // what the last 随机 drew
// After 简→繁 and 繁→简: each marked character as its position and its
// source, and the forms of each source as the source, its forms and U+0000.
std::vector<std::uint32_t> marks;
std::u16string forms;
RandomSource randomSource;  // unseeded: the desktop's sequence
// The phrases of 简→繁 and 繁→简, once the page has fetched them, and the
// last suggestions found, as pairs of position and form.
std::optional<PhraseDictionary> toTraditional, toSimplified;
std::vector<std::uint32_t> suggestions;

const ConversionTables& Tables() {
  static const std::u16string martian = TableText(TableKind::kMartian),
                              simplified = TableText(TableKind::kSimplified),
                              traditional = TableText(TableKind::kTraditional);
  static const ConversionTables tables{martian, simplified, traditional};
  return tables;
}

void MarkForms(FormsDirection direction, std::u16string_view input) {
  std::vector<bool> listed(0x10000);
  for (const MarkedCharacter& mark : MarkCharacterForms(input, direction)) {
    marks.push_back(static_cast<std::uint32_t>(mark.position));
    marks.push_back(mark.source);
    if (listed[mark.source]) continue;
    listed[mark.source] = true;
    forms += mark.source;
    forms += mark.forms;
    forms += u'\0';
  }
}

bool Run(Command command, std::u16string_view input, std::u16string_view separator) {
  if (command == Command::kRandomSeparator) {
    drawnSeparator = PickRandomSeparator(randomSource);
    separator = std::u16string_view(&drawnSeparator, 1);
  }
  if (ResultLength(command, input, separator.size()) > kMaxResultLength) {
    notice = ResultTooLongNotice();
    return false;
  }
  try {
    result = RunCommand(command, input, separator, Tables());
    if (const std::optional<FormsDirection> direction = FormsOf(command))
      MarkForms(*direction, input);
  } catch (const std::bad_alloc&) {
    result = std::u16string();
    marks = {};
    forms = std::u16string();
    notice = kOutOfMemoryNotice;
    return false;
  } catch (const std::length_error&) {
    notice = ResultTooLongNotice();
    return false;
  }
  return true;
}

}  // namespace
}  // namespace tavro

extern "C" {

// Room for `units` code units in the module's memory; null when there is none.
EMSCRIPTEN_KEEPALIVE char16_t* tavro_allocate(std::size_t units) {
  return static_cast<char16_t*>(std::malloc(units * sizeof(char16_t) + 1));
}

EMSCRIPTEN_KEEPALIVE void tavro_free(char16_t* units) { std::free(units); }

// Runs the command named `commandName` (its ASCII name, "reverse-text") on
// the input and separator given; 随机 draws its own. True when the result
// waits in tavro_result() until the next command or tavro_release_result();
// false when there is none, and tavro_notice() says why.
EMSCRIPTEN_KEEPALIVE bool tavro_run(const char16_t* commandName, std::size_t commandNameLength,
                                    const char16_t* input, std::size_t inputLength,
                                    const char16_t* separator, std::size_t separatorLength) {
  using namespace tavro;
  result = std::u16string();
  notice = u"内部错误：没有这个命令。";
  drawnSeparator = 0;
  marks = {};
  forms = std::u16string();
  const std::string name(commandName, commandName + commandNameLength);
  const std::optional<Command> command = CommandNamed(name);
  return command && Run(*command, {input, inputLength}, {separator, separatorLength});
}

// Why the last command left no result, ended by U+0000.
EMSCRIPTEN_KEEPALIVE const char16_t* tavro_notice() { return tavro::notice.c_str(); }
// What the page says when memory runs out on its side, ended by U+0000.
EMSCRIPTEN_KEEPALIVE const char16_t* tavro_out_of_memory_notice() {
  return tavro::kOutOfMemoryNotice;
}
// The separator the last command drew (随机), or 0.
EMSCRIPTEN_KEEPALIVE int tavro_drawn_separator() { return tavro::drawnSeparator; }
// The forum's address, in ASCII, ended by U+0000.
EMSCRIPTEN_KEEPALIVE const char* tavro_forum_address() { return tavro::kForumPageAddress; }

EMSCRIPTEN_KEEPALIVE const char16_t* tavro_result() { return tavro::result.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t tavro_result_length() { return tavro::result.size(); }
EMSCRIPTEN_KEEPALIVE void tavro_release_result() { tavro::result = std::u16string(); }

// Reads the phrases, the page's phrases.bin: those of 简→繁, U+0000, those of
// 繁→简, as make_tables.py encodes them. The units may be freed after.
EMSCRIPTEN_KEEPALIVE void tavro_load_phrases(const char16_t* units, std::size_t length) {
  const std::u16string_view data(units, length);
  const std::size_t end = std::min(data.find(u'\0'), data.size());
  tavro::toTraditional.emplace(data.substr(0, end));
  tavro::toSimplified.emplace(data.substr(std::min(end + 1, data.size())));
}

// Finds where the words of `input` ask for another form than the command
// named `commandName` (简→繁 or 繁→简) writes: as many pairs of position and
// form as it returns, at tavro_suggestions(), kept until the next call. None
// before the phrases are read, or for another command.
EMSCRIPTEN_KEEPALIVE std::size_t tavro_suggest(const char16_t* commandName,
                                               std::size_t commandNameLength,
                                               const char16_t* input, std::size_t inputLength) {
  using namespace tavro;
  suggestions = {};
  const std::optional<Command> command =
      CommandNamed(std::string(commandName, commandName + commandNameLength));
  const std::optional<FormsDirection> direction = command ? FormsOf(*command) : std::nullopt;
  const std::optional<PhraseDictionary>& phrases =
      direction == FormsDirection::kToTraditional ? toTraditional : toSimplified;
  if (!direction || !phrases) return 0;
  for (const WordSuggestion& suggestion : phrases->Suggest({input, inputLength})) {
    suggestions.push_back(static_cast<std::uint32_t>(suggestion.position));
    suggestions.push_back(suggestion.form);
  }
  return suggestions.size() / 2;
}
EMSCRIPTEN_KEEPALIVE const std::uint32_t* tavro_suggestions() { return tavro::suggestions.data(); }

// The characters of the result with other forms: tavro_mark_count() pairs of
// position and source character at tavro_marks(); the forms of every source
// at tavro_forms(), each entry the source, its forms, the one written first,
// and U+0000. Kept until the next command.
EMSCRIPTEN_KEEPALIVE std::size_t tavro_mark_count() { return tavro::marks.size() / 2; }
EMSCRIPTEN_KEEPALIVE const std::uint32_t* tavro_marks() { return tavro::marks.data(); }
EMSCRIPTEN_KEEPALIVE const char16_t* tavro_forms() { return tavro::forms.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t tavro_forms_length() { return tavro::forms.size(); }

}  // extern "C"
