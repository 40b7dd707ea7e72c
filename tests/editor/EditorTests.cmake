# Editor and window tests: they open windows and drive the display's real
# pointer, so they run one at a time with the skin tests.
set(KORVANE_EDITOR_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EditorFrameTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowWidgetsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OptionsPagesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MidiControlPanelTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AboutWindowTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PresetBrowserTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ComboBoxTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InterfaceSizeTest.cpp)
