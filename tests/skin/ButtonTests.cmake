# Skin button tests, compiled into korvane_unit_tests.
set(KORVANE_SKIN_BUTTON_TEST_SOURCES)
