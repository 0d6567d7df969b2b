# Shared settings of every target, and the helpers that gather a folder tree's
# sources so that adding a file needs no edit here.

add_library(tessaro_options INTERFACE)
target_compile_options(tessaro_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow
  -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
if(TESSARO_WERROR)
  target_compile_options(tessaro_options INTERFACE -Werror)
endif()
target_compile_definitions(tessaro_options INTERFACE
  TESSARO_VERSION="${PROJECT_VERSION}" _FILE_OFFSET_BITS=64)
if(TESSARO_FUZZ)
  # Coverage feedback from the code under test, not only from the fuzz target.
  target_compile_options(tessaro_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
if(TESSARO_SANITIZE)
  target_compile_options(tessaro_options INTERFACE -fsanitize=${TESSARO_SANITIZE}
    -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(tessaro_options INTERFACE -fsanitize=${TESSARO_SANITIZE})
endif()

# tessaro_sources(<var> <dir>...): the .cpp files below the folders, without
# tests (*_test.cpp), fuzz targets (*_fuzz.cpp) and program entries (main.cpp).
function(tessaro_sources var)
  set(all)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND all ${found})
  endforeach()
  list(FILTER all EXCLUDE REGEX "(_test|_fuzz|/main)\\.cpp$")
  set(${var} ${all} PARENT_SCOPE)
endfunction()

# tessaro_tests(<name> <link targets> DIRS <dir>...): one GoogleTest program of
# the folders' *_test.cpp files, registered with CTest. Tests run in the build's
# program folder so they find data/ like the program does.
function(tessaro_tests name)
  cmake_parse_arguments(T "" "" "DIRS;LIBS" ${ARGN})
  if(NOT TESSARO_TESTS)
    return()
  endif()
  set(all)
  foreach(dir IN LISTS T_DIRS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*_test.cpp)
    list(APPEND all ${found})
  endforeach()
  if(NOT all)
    return()
  endif()
  add_executable(${name} ${all})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main tessaro_options)
  target_compile_definitions(${name} PRIVATE
    TESSARO_SOURCE_DIR="${PROJECT_SOURCE_DIR}" TESSARO_PROGRAM_DIR="${CMAKE_BINARY_DIR}/bin")
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "TESSARO_DATA_DIR=${CMAKE_BINARY_DIR}/bin"
    # Leaks that libraries keep for the process's life; full stacks so the
    # suppressions can see which library made them. (A list here would be
    # split into properties, hence one setting per property.)
    ENVIRONMENT_MODIFICATION
    "LSAN_OPTIONS=set:suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:fast_unwind_on_malloc=0")
endfunction()

# tessaro_fuzz(<name> <source> <link targets>...): with TESSARO_FUZZ a libFuzzer
# program; always a replay program that feeds every file of
# fuzz/corpus/<name>/ to the target once, run by CTest, so the corpus and every
# crash that was fixed stay regression tests under any compiler.
function(tessaro_fuzz name source)
  set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  if(TESSARO_FUZZ)
    add_executable(${name}_fuzz ${source})
    target_compile_options(${name}_fuzz PRIVATE -fsanitize=fuzzer)
    target_link_options(${name}_fuzz PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name}_fuzz PRIVATE ${ARGN} tessaro_options)
  endif()
  if(TESSARO_TESTS)
    add_executable(${name}_replay ${source} ${PROJECT_SOURCE_DIR}/cmake/FuzzReplayMain.cpp)
    target_link_libraries(${name}_replay PRIVATE ${ARGN} tessaro_options)
    add_test(NAME ${name}_corpus COMMAND ${name}_replay ${corpus})
  endif()
endfunction()
