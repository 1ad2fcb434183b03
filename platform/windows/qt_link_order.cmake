# SPDX-License-Identifier: MIT
# Included from the top, so that every folder links the Qt adjusted here.
# Qt's core names Windows 8's synchronization library (WaitOnAddress) before
# kernel32, which binds ordinary functions such as Sleep to a DLL that
# Windows 7 lacks. kernel32 goes first; windows7_support.cpp supplies the
# rest.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
get_target_property(core_links Qt6::Core INTERFACE_LINK_LIBRARIES)
list(TRANSFORM core_links REPLACE "^\\$<LINK_ONLY:synchronization>$"
     "$<LINK_ONLY:kernel32>;$<LINK_ONLY:synchronization>")
set_target_properties(Qt6::Core PROPERTIES INTERFACE_LINK_LIBRARIES "${core_links}")
