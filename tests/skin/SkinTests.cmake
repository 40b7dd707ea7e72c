# Skin loader and control tests, compiled into korvane_unit_tests.
set(KORVANE_SKIN_TEST_SOURCES)
