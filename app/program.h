// SPDX-License-Identifier: MIT
#pragma once

namespace tavro {

// Names the program to the desktop and gives it its icon; runs before the
// window opens.
void SetUpProgram();

}  // namespace tavro
