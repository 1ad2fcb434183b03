// SPDX-License-Identifier: MIT
// Compares one conversion, named at build time by TAVRO_FUZZ_CONVERSION, with
// its plain version on arbitrary UTF-16 input, and aborts where they differ.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plain_conversions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string units(size / 2, u'\0');
  std::memcpy(units.data(), data, units.size() * 2);  // little-endian, as the seed corpus
  using tavro::reference::Disagreement, tavro::reference::Conversion;
  const std::string disagreement = Disagreement(Conversion::TAVRO_FUZZ_CONVERSION, units);
  if (disagreement.empty()) return 0;
  std::fprintf(stderr, "%s\n", disagreement.c_str());
  std::abort();
}
