// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

namespace tavro {

// The longest result a front end builds and shows, in code units (128 MiB of
// UTF-16). Showing more would hold the window or the page for many seconds
// and a great deal of memory, so a command whose result would be longer
// changes nothing and says so.
constexpr std::size_t kMaxResultLength = std::size_t{64} << 20;

}  // namespace tavro
