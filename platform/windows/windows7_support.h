// SPDX-License-Identifier: MIT
#ifndef TAVRO_APP_WINDOWS7_SUPPORT_H_
#define TAVRO_APP_WINDOWS7_SUPPORT_H_

// Linking windows7_support.cpp into a Windows program gives it every function
// that Qt calls but Windows 7 SP1 lacks: the real one where Windows has it,
// otherwise what Windows 7 offers instead. TAVRO_ACT_AS_WINDOWS7=1 in the
// environment makes it act as on Windows 7 on any Windows, for tests.
namespace tavro {

// Whether Windows sends pointer messages (Windows 8 and later); without them
// Qt's windows platform must read the mouse and touch messages instead.
bool WindowsHasPointerInput();

}  // namespace tavro

#endif  // TAVRO_APP_WINDOWS7_SUPPORT_H_
