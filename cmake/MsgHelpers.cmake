# Shared compile settings for every target of the project.
add_library(msg_build_flags INTERFACE)
target_compile_options(msg_build_flags INTERFACE -Wall -Wextra)
if(MSG_WERROR)
    target_compile_options(msg_build_flags INTERFACE -Werror)
endif()
if(MSG_SANITIZE)
    target_compile_options(msg_build_flags INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(msg_build_flags INTERFACE -fsanitize=address,undefined)
endif()

# Each layer publishes its headers through its own target (platform/include and inc define
# them); a target sees the headers of the layer its folder belongs to and of those below:
#   platform/  the platform's interfaces, and privately its administration headers;
#   src/       the library's headers and the platform's interfaces;
#   elsewhere  (executables, tests, benchmarks) all of those and the administration headers,
#              with which the simulator and the tests reach inside the device.
# Source folders are published by nobody.
function(_msg_layer_headers name scope)
    file(RELATIVE_PATH _where ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    if(_where MATCHES "^platform(/|$)")
        target_link_libraries(${name} ${scope} msg_platform_api)
        target_link_libraries(${name} PRIVATE msg_platform_admin)
    elseif(_where MATCHES "^src(/|$)")
        target_link_libraries(${name} ${scope} msg_library_api)
    else()
        target_link_libraries(${name} ${scope} msg_library_api msg_platform_admin)
    endif()
endfunction()

# Where executables and the compiled theme land, so that they find each other.
set(MSG_RUNTIME_DIR ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${MSG_RUNTIME_DIR})
set(MSG_RES_DIR ${CMAKE_BINARY_DIR}/res)

# msg_library(NAME SOURCES ... [DEPS ...])
function(msg_library name)
    cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${A_SOURCES})
    target_link_libraries(${name} PUBLIC msg_build_flags ${A_DEPS})
    _msg_layer_headers(${name} PUBLIC)
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

# msg_executable(NAME SOURCES ... [DEPS ...])
# A program of apps/ or tools/ parses its command line with msg_cli and is listed in msg_cli's
# MSG_PROGRAMS property, over which the command-line test runs.
function(msg_executable name)
    cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE msg_build_flags ${A_DEPS})
    _msg_layer_headers(${name} PRIVATE)
    file(RELATIVE_PATH _where ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    if(_where MATCHES "^(apps|tools)/")
        target_link_libraries(${name} PRIVATE msg_cli)
        set_property(TARGET msg_cli APPEND PROPERTY MSG_PROGRAMS ${name})
    endif()
endfunction()

# msg_toolkit_first(NAME)
# For a program whose start-up time counts (a window of the watch). The loader looks each symbol up
# along one list of the process's libraries, in the order they are needed, and stops at the first
# that defines it; a start binds about 30,000 symbols, and the toolkit's libraries and those under it
# (the TLS library of its network module most of all) bind their own exported symbols the same way.
# Needed in the order of how many symbols each one binds (LD_DEBUG=bindings on the demo device),
# the walk is half as long: about 16 M instructions fewer before the first frame. Which definition
# each symbol binds to does not change: of the symbols two of the process's libraries define (nm -D),
# every one is first defined by the same library as in the link's own order.
# Only libraries the program loads anyway are listed.
# The text library's two halves both carry copies of its inline templates; they keep their order.
set(MSG_BINDING_ORDER
    libc.so.6 libm.so.6 libcrypto.so.3 libelementary.so.1 libeina.so.1 libevas.so.1 libefl.so.1
    libstdc++.so.6 libsqlite3.so.0 libglib-2.0.so.0 libecore.so.1 libicui18n.so.72 libicuuc.so.72
    libeo.so.1 libecore_x.so.1 libdbus-1.so.3 libecore_con.so.1 libedje.so.1 libX11.so.6
    libmount.so.1 libgobject-2.0.so.0 libeldbus.so.1 libsystemd.so.0 libecore_input.so.1
    libecore_file.so.1 libecore_imf.so.1)
# Those the program needs itself; the rest only where the toolkit needs them. A library of another
# version than the one named (another ICU, say) is left to the link's own order.
set(MSG_OWN_LIBRARIES
    libc.so.6 libm.so.6 libstdc++.so.6 libsqlite3.so.0 libglib-2.0.so.0 libicui18n.so.72
    libicuuc.so.72 libgobject-2.0.so.0 libelementary.so.1 libeina.so.1 libevas.so.1 libecore.so.1
    libeo.so.1 libecore_x.so.1 libedje.so.1 libecore_input.so.1 libecore_file.so.1 libecore_imf.so.1)

function(_msg_binding_order out)
    find_library(_elementary_path elementary)
    execute_process(COMMAND ldd ${_elementary_path} OUTPUT_VARIABLE _toolkit_needs ERROR_QUIET)
    set(_flags "")
    foreach(_lib IN LISTS MSG_BINDING_ORDER)
        string(FIND "${_toolkit_needs}" "${_lib} " _at)
        find_library(_found_${_lib} NAMES ${_lib})
        if(_found_${_lib} AND (_lib IN_LIST MSG_OWN_LIBRARIES OR NOT _at EQUAL -1))
            string(APPEND _flags " -l:${_lib}")
        endif()
    endforeach()
    set(${out} "${_flags}" PARENT_SCOPE)
endfunction()

function(msg_toolkit_first name)
    # A sanitizer's runtime must itself be the first library needed.
    if(CMAKE_CXX_FLAGS MATCHES "-fsanitize")
        return()
    endif()
    _msg_binding_order(_order)
    target_link_options(${name} PRIVATE "SHELL:-Wl,--push-state,--no-as-needed${_order} -Wl,--pop-state")
endfunction()

# msg_test(NAME SOURCES ... [DEPS ...] [LABELS ...] [OWN_MAIN])
# One CTest entry per test program. OWN_MAIN: the sources bring main() (for
# tests that must initialise EFL first); otherwise GoogleTest's is linked.
function(msg_test name)
    cmake_parse_arguments(A "OWN_MAIN" "" "SOURCES;DEPS;LABELS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE msg_build_flags msg_testsupport PkgConfig::GTEST ${A_DEPS})
    _msg_layer_headers(${name} PRIVATE)
    if(NOT A_OWN_MAIN)
        target_link_libraries(${name} PRIVATE PkgConfig::GTEST_MAIN)
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        LABELS "${A_LABELS}"
        TIMEOUT 300
        FIXTURES_REQUIRED toolkit_daemon
        ENVIRONMENT "MSG_TEST_HANG_SECONDS=270;MSG_BIN_DIR=${MSG_RUNTIME_DIR};MSG_RES_DIR=${MSG_RES_DIR};ELM_ENGINE=buffer;EINA_LOG_BACKTRACE=-1;EINA_LOG_LEVELS=eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0;MSG_LOG_LEVEL=warn")
endfunction()

# msg_bench(NAME SOURCES ... [DEPS ...])
function(msg_bench name)
    if(NOT MSG_BUILD_BENCH)
        return()
    endif()
    cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE msg_build_flags msg_testsupport PkgConfig::BENCHMARK ${A_DEPS})
    _msg_layer_headers(${name} PRIVATE)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# msg_fuzz(NAME SOURCES ... [DEPS ...] [INCLUDES ...])
# A libFuzzer target, built only with clang and MSG_BUILD_FUZZ=ON (scripts/fuzz does both, with
# every library instrumented for coverage and the sanitizers).
function(msg_fuzz name)
    if(NOT MSG_BUILD_FUZZ)
        return()
    endif()
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(WARNING "MSG_BUILD_FUZZ needs clang: ${name} is not built")
        return()
    endif()
    cmake_parse_arguments(A "" "" "SOURCES;DEPS;INCLUDES" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE msg_build_flags ${A_DEPS})
    _msg_layer_headers(${name} PRIVATE)
    target_include_directories(${name} PRIVATE ${A_INCLUDES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endfunction()
