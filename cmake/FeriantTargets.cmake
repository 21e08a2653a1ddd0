# Helpers shared by every folder: warnings, sanitizers and the one-target-per-folder
# library convention (target feriant_<name>, alias feriant::<name>).

if(FERIANT_SANITIZE OR FERIANT_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(FERIANT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "FERIANT_FUZZ needs clang (libFuzzer): configure with CMAKE_CXX_COMPILER=clang++")
  endif()
  # Coverage for libFuzzer in every library; only the fuzz targets link its main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

function(feriant_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                         -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough)
  if(FERIANT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# feriant_add_library(<target> <alias> <STATIC|SHARED> <sources>...)
# Headers are included from the repository root: "platform/automation/variant.h".
function(feriant_add_library target alias kind)
  add_library(${target} ${kind} ${ARGN})
  add_library(${alias} ALIAS ${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  feriant_warnings(${target})
endfunction()

# feriant_add_test(<name> SOURCES <files>... LIBS <targets>...)
# One executable per unit under tests/, registered test by test with CTest.
function(feriant_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    FERIANT_SOURCE_DIR="${PROJECT_SOURCE_DIR}" FERIANT_BINARY_DIR="${PROJECT_BINARY_DIR}")
  feriant_warnings(${name})
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "FERIANT_TEST=1")
endfunction()

# feriant_component_library(<target>): a shared library loaded by the component registry.
# Only the four entry points are exported; everything else stays inside the library.
function(feriant_component_library target)
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_link_options(${target} PRIVATE
    -Wl,--version-script=${PROJECT_SOURCE_DIR}/platform/components/entry_points.map)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS
    ${PROJECT_SOURCE_DIR}/platform/components/entry_points.map)
endfunction()
