# Writes the theme's colour classes and text classes from the colour and font
# tables, so that the theme's defaults are the values the UI loads at run time.
#   cmake -DCOLORS=<ChangeableColorInfo.xml> -DFONTS=<FontInfo.xml> -DOUT=<classes.edc> -P TablesToEdc.cmake

# Families for the four weights, condensed as at run time; fontconfig falls back to other fonts for
# scripts that DejaVu lacks.
set(_font_Light   "DejaVu Sans:style=ExtraLight")
set(_font_Regular "DejaVu Sans:style=Condensed")
set(_font_Medium  "DejaVu Sans:style=Condensed Bold")
set(_font_Bold    "DejaVu Sans:style=Condensed Bold")

file(STRINGS "${COLORS}" _color_lines REGEX "<ChangeableColorInfo ")
set(_out "// Generated from ChangeableColorInfo.xml and FontInfo.xml; edit those.\n")
string(APPEND _out "color_classes {\n")
foreach(_line IN LISTS _color_lines)
    if(NOT _line MATCHES "id=\"([A-Za-z0-9_]+)\"[ \t]+color=\"#([0-9A-Fa-f][0-9A-Fa-f])([0-9A-Fa-f][0-9A-Fa-f])([0-9A-Fa-f][0-9A-Fa-f])([0-9A-Fa-f][0-9A-Fa-f])\"")
        message(FATAL_ERROR "Malformed colour entry: ${_line}")
    endif()
    set(_id ${CMAKE_MATCH_1})
    math(EXPR _r "0x${CMAKE_MATCH_2}")
    math(EXPR _g "0x${CMAKE_MATCH_3}")
    math(EXPR _b "0x${CMAKE_MATCH_4}")
    math(EXPR _a "0x${CMAKE_MATCH_5}")
    string(APPEND _out "   color_class { name: \"${_id}\"; color: ${_r} ${_g} ${_b} ${_a}; }\n")
endforeach()
string(APPEND _out "}\n")

file(STRINGS "${FONTS}" _font_lines REGEX "<FontInfo ")
string(APPEND _out "text_classes {\n")
foreach(_line IN LISTS _font_lines)
    if(NOT _line MATCHES "id=\"([A-Za-z0-9_]+)\"[ \t]+style=\"(Light|Regular|Medium|Bold)\"[ \t]+size=\"([0-9]+)\"")
        message(FATAL_ERROR "Malformed font entry: ${_line}")
    endif()
    string(APPEND _out "   text_class { name: \"${CMAKE_MATCH_1}\"; font: \"${_font_${CMAKE_MATCH_2}}\"; size: ${CMAKE_MATCH_3}; }\n")
endforeach()
string(APPEND _out "}\n")

# Rewriting an unchanged file would rebuild the theme for nothing.
if(EXISTS "${OUT}")
    file(READ "${OUT}" _old)
    if(_old STREQUAL _out)
        return()
    endif()
endif()
file(WRITE "${OUT}" "${_out}")
