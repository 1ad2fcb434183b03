# SPDX-License-Identifier: MIT
# Included from the top, beside qt_link_order.cmake. Qt for Windows is
# static, and the images its styles draw their standard icons from (message
# boxes, file dialogs, title bars, in two sizes) go into every program as
# objects, 355 KB, as do the PDF writer's resources. tavro draws the one
# standard icon it shows itself (the notices' close sign), and writes no
# PDF: these resources stay out.
foreach(resources IN ITEMS Qt6::Widgets_resources_1 Qt6::Widgets_resources_2
                           Qt6::Widgets_resources_3 Qt6::Gui_resources_1)
  set_target_properties(${resources} PROPERTIES IMPORTED_OBJECTS_RELEASE "")
endforeach()
