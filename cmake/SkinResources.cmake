# The skin document and its images, embedded in the plug-in.
set(KORVANE_SKIN_RESOURCES)
