# The print procedure, the About box and the focus frame both windows show: Qt widgets and print
# support, no dependency on the main window itself, which reaches them through small interfaces
# (FenetreImprimable, Navigateur).
add_library(orbitel_impression STATIC
  ${CMAKE_CURRENT_LIST_DIR}/apropos.cpp
  ${CMAKE_CURRENT_LIST_DIR}/apropos.hpp
  ${CMAKE_CURRENT_LIST_DIR}/cadre_focus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cadre_focus.hpp
  ${CMAKE_CURRENT_LIST_DIR}/impression.cpp
  ${CMAKE_CURRENT_LIST_DIR}/impression.hpp)
target_link_libraries(orbitel_impression PUBLIC orbitel_core Qt6::Widgets Qt6::PrintSupport)
set_target_properties(orbitel_impression PROPERTIES AUTOMOC ON)

# The print steps on the main window, and the hooks that plug printing and the About box into it.
if(TARGET orbitel_window)
  target_link_libraries(orbitel_window PUBLIC orbitel_impression) # the focus frame
  add_library(orbitel_impression_fenetre STATIC
    ${CMAKE_CURRENT_LIST_DIR}/impression_pos_lune.cpp
    ${CMAKE_CURRENT_LIST_DIR}/impression_pos_lune.hpp)
  target_link_libraries(orbitel_impression_fenetre PUBLIC orbitel_window orbitel_impression)
  if(TARGET orbitel)
    target_link_libraries(orbitel PRIVATE orbitel_impression_fenetre)
  endif()
endif()
