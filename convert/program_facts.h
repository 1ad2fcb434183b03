// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>

namespace tavro {

// The longest result a front end builds and shows, in code units (128 MiB of
// UTF-16). Showing more would hold the window or the page for many seconds
// and a great deal of memory, so a command whose result would be longer
// changes nothing and says so.
constexpr std::size_t kMaxResultLength = std::size_t{64} << 20;

// What the window and the page say, over the output field, when a command
// changes nothing: its result would pass kMaxResultLength, or it did not fit
// in memory.
std::u16string ResultTooLongNotice();
inline constexpr char16_t kOutOfMemoryNotice[] = u"内存不足，未转换。";

// Our forum's home page, opened by a click on the bare window or panel.
inline constexpr char kForumPageAddress[] = "http://bbs.tavro.net/";

}  // namespace tavro
