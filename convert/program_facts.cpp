// SPDX-License-Identifier: MIT
#include "program_facts.h"

namespace tavro {

std::u16string ResultTooLongNotice() {
  // In 万 (ten thousands) of characters, as Chinese counts them.
  std::u16string count;
  for (std::size_t tenThousands = kMaxResultLength / 10000; tenThousands != 0; tenThousands /= 10)
    count.insert(count.begin(), static_cast<char16_t>(u'0' + tenThousands % 10));
  return u"结果太长（超过 " + count + u" 万字），未转换。";
}

}  // namespace tavro
