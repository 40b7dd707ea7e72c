# The skin buttons (GUI classes, compiled into the
# plug-in's shared code).
set(KORVANE_SKIN_BUTTON_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../src/skin/GFXButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/skin/TextButtonEx.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/skin/GFXToggleButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/skin/ToggleDragGroups.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/skin/GFXMultiStateButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/skin/GFXRocker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/skin/ComponentRow.cpp)
