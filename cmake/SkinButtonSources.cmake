# The skin buttons (GUI classes, compiled into the
# plug-in's shared code).
set(KORVANE_SKIN_BUTTON_SOURCES)
