# msg_edje_compile(TARGET <name> SOURCE <main.edc> OUTPUT <file.edj> [IMAGE_DIRS ...] [DEPENDS ...])
# Compiles a theme file at build time. The main file is wrapped so that the
# colour and text classes generated from the tables come first; it is rebuilt
# whenever any .edc of this folder, an image or a table changes.
function(msg_edje_compile)
    cmake_parse_arguments(A "" "TARGET;SOURCE;OUTPUT" "IMAGE_DIRS;DEPENDS" ${ARGN})
    set(_classes ${CMAKE_BINARY_DIR}/res_gen/classes.edc)
    get_filename_component(_stem ${A_OUTPUT} NAME_WE)
    set(_wrapper ${CMAKE_BINARY_DIR}/res_gen/${_stem}_build.edc)
    # The theme compiler's preprocessor takes include paths relative to the
    # including file, so the wrapper names both files relatively.
    file(RELATIVE_PATH _source_rel ${CMAKE_BINARY_DIR}/res_gen ${A_SOURCE})
    file(WRITE ${_wrapper}.in "#include \"classes.edc\"\n#include \"${_source_rel}\"\n")
    configure_file(${_wrapper}.in ${_wrapper} COPYONLY)

    set(_image_args "")
    foreach(_dir IN LISTS A_IMAGE_DIRS)
        list(APPEND _image_args -id ${_dir})
    endforeach()
    get_filename_component(_out_dir ${A_OUTPUT} DIRECTORY)
    # Stored for fast reading (LZ4HC) rather than small: every start-up decompresses the
    # groups and images it shows.
    add_custom_command(
        OUTPUT ${A_OUTPUT}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${_out_dir}
        COMMAND ${EDJE_CC} -nothreads -fastdecomp ${_image_args} ${_wrapper} ${A_OUTPUT}
        DEPENDS ${_wrapper} ${_classes} ${A_SOURCE} ${A_DEPENDS}
        COMMENT "Compiling ${_stem}.edj"
        VERBATIM)
    add_custom_target(${A_TARGET} ALL DEPENDS ${A_OUTPUT})
    add_dependencies(${A_TARGET} msg_tables)
endfunction()

# The free icon set whose symbolic icons the image groups use as masks.
set(MSG_ICON_DIR /usr/share/icons/Adwaita/96x96)
