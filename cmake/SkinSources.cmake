# The skin loader and the skin controls (GUI classes, compiled into the
# plug-in's shared code).
set(KORVANE_SKIN_SOURCES)
