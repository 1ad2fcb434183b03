// SPDX-License-Identifier: MIT
// Compares one conversion, named at build time by TAVRO_FUZZ_CONVERSION, with
// its plain version on arbitrary UTF-16 input, and aborts where they differ.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plain_conversions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  using tavro::reference::AgreesWithReference, tavro::reference::Conversion;
  if (!AgreesWithReference(Conversion::TAVRO_FUZZ_CONVERSION, units)) std::abort();
  return 0;
}
