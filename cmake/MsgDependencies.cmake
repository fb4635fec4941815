find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

pkg_check_modules(EFL REQUIRED IMPORTED_TARGET
    elementary ecore evas edje eina ecore-file ecore-imf ecore-evas)
pkg_check_modules(GLIB REQUIRED IMPORTED_TARGET glib-2.0 gobject-2.0)
pkg_check_modules(JSONGLIB REQUIRED IMPORTED_TARGET json-glib-1.0)
pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-uc icu-i18n)
pkg_check_modules(SQLITE REQUIRED IMPORTED_TARGET sqlite3)
pkg_check_modules(GSTREAMER REQUIRED IMPORTED_TARGET gstreamer-1.0 gstreamer-pbutils-1.0)

# libphonenumber ships no pkg-config file.
find_path(PHONENUMBER_INCLUDE_DIR phonenumbers/phonenumberutil.h REQUIRED)
find_library(PHONENUMBER_LIBRARY phonenumber REQUIRED)
add_library(msg_phonenumber INTERFACE)
target_include_directories(msg_phonenumber INTERFACE ${PHONENUMBER_INCLUDE_DIR})
target_link_libraries(msg_phonenumber INTERFACE ${PHONENUMBER_LIBRARY})

find_program(EDJE_CC edje_cc REQUIRED)
find_program(MSGFMT msgfmt REQUIRED)

pkg_check_modules(GTEST REQUIRED IMPORTED_TARGET gtest gmock)
pkg_check_modules(GTEST_MAIN REQUIRED IMPORTED_TARGET gtest_main)
if(MSG_BUILD_BENCH)
    pkg_check_modules(BENCHMARK REQUIRED IMPORTED_TARGET benchmark)
endif()

# Debian's EFL pkg-config files name include folders that the packages do not
# install (ector-1); CMake refuses imported targets with missing folders.
foreach(_target PkgConfig::EFL)
    get_target_property(_dirs ${_target} INTERFACE_INCLUDE_DIRECTORIES)
    set(_existing "")
    foreach(_dir IN LISTS _dirs)
        if(EXISTS "${_dir}")
            list(APPEND _existing "${_dir}")
        endif()
    endforeach()
    set_target_properties(${_target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${_existing}")
endforeach()
