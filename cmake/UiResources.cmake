# The images of the editor's own windows (icon buttons, the window icon, edge
# decorations, radio buttons, check boxes, text button caps), embedded in the
# plug-in beside the skin's. Every file is found by its file name, so the
# names must stay unique across both lists. The images are drawn by
# tools/skin-art (`korvane-skin-art --ui`, see its README.md).
set(KORVANE_UI_RESOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/IconsLarge.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/IconsSmall.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/WindowIcon.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/DecorationTop.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/DecorationBottom.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/DecorationLeft.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/DecorationRight.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/RadioButtonOff.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/RadioButtonOn.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/CheckBoxOff.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/CheckBoxOn.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/TextButton0.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/ui/TextButtonOverlay0.png)
korvane_add_doubled_images(KORVANE_UI_RESOURCES)
