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
# The windows platform names Windows 8.1's shcore, for the DPI functions
# that windows7_support.cpp supplies; shcore also exports
# CommandLineToArgvW, which the entry point would then take from a DLL that
# Windows 7 lacks instead of from shell32. Nothing else comes from it.
get_target_property(platform_links Qt6::QWindowsIntegrationPlugin INTERFACE_LINK_LIBRARIES)
list(REMOVE_ITEM platform_links "$<LINK_ONLY:shcore>")
set_target_properties(Qt6::QWindowsIntegrationPlugin PROPERTIES
                      INTERFACE_LINK_LIBRARIES "${platform_links}")
