# The editor's interface font, embedded so that the windows look the same on
# every machine: DejaVu Sans Condensed (plain and bold) from Debian's
# fonts-dejavu-extra, taken from the system at build time. Its licence is in
# src/resources/fonts/DejaVu-LICENSE.txt and is installed with the plug-ins.
set(KORVANE_INTERFACE_FONTS)
foreach(font_file DejaVuSansCondensed.ttf DejaVuSansCondensed-Bold.ttf)
    string(MAKE_C_IDENTIFIER "KORVANE_FONT_${font_file}" font_var)
    find_file(${font_var} ${font_file}
        PATHS /usr/share/fonts/truetype/dejavu /usr/share/fonts/TTF /usr/share/fonts/dejavu
        NO_DEFAULT_PATH)
    if(NOT ${font_var})
        message(FATAL_ERROR "${font_file} not found: install fonts-dejavu-extra (tools/setup.sh does)")
    endif()
    list(APPEND KORVANE_INTERFACE_FONTS ${${font_var}})
endforeach()
