// SPDX-License-Identifier: MIT
#include "program_facts.h"

namespace tavro {

std::u16string ResultTooLongNotice() {
  // In 万 (ten thousands) of characters, as Chinese counts them.
  const std::string count = std::to_string(kMaxResultLength / 10000);
  return u"结果太长（超过 " + std::u16string(count.begin(), count.end()) + u" 万字），未转换。";
}

}  // namespace tavro
