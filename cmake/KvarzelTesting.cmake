# SPDX-License-Identifier: GPL-3.0-or-later
# GoogleTest programs registered with CTest. GUI tests run on Qt's offscreen
# platform and with SDL's silent audio driver, so they need no display and no
# sound card.
find_package(GTest REQUIRED)

# Headers nearly every test file includes, parsed once per test program
# instead of once per file.
set(KVARZEL_TEST_PRECOMPILED <gtest/gtest.h> <gmock/gmock.h> <functional> <memory> <string>
                             <vector>)
# Not <QTest>: Qt's test library defines a source and a build folder of their
# own for every target, which a header shared by the folders must not read.
set(KVARZEL_GUI_TEST_PRECOMPILED ${KVARZEL_TEST_PRECOMPILED} <QApplication> <QImage> <QPainter>
                                 <QString> <QWidget>)

# kvarzel_test_compile_settings(<target> <libraries...>): what compiling test code needs.
function(kvarzel_test_compile_settings target)
  target_link_libraries(${target} PRIVATE ${ARGN} GTest::gmock GTest::gtest)
  target_compile_definitions(${target} PRIVATE KVARZEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
endfunction()

# kvarzel_add_test_headers(<target> LIBRARIES <targets...> HEADERS <headers...>)
# An object library that only precompiles the headers, for test targets
# compiled with the same flags to reuse (target_precompile_headers REUSE_FROM).
function(kvarzel_add_test_headers target)
  cmake_parse_arguments(ARG "" "" "LIBRARIES;HEADERS" ${ARGN})
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// Only the precompiled headers of ${target}.\n")
  add_library(${target} OBJECT ${source})
  kvarzel_test_compile_settings(${target} ${ARG_LIBRARIES})
  target_precompile_headers(${target} PRIVATE ${ARG_HEADERS})
endfunction()

# kvarzel_register_test(<name> [GUI] COMMAND <program> [<arguments>...])
function(kvarzel_register_test name)
  cmake_parse_arguments(ARG "GUI" "" "COMMAND" ${ARGN})
  kvarzel_add_test(NAME ${name} COMMAND ${ARG_COMMAND})
  set(environment "KVARZEL_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
  if(ARG_GUI)
    list(APPEND environment "QT_QPA_PLATFORM=offscreen" "SDL_AUDIODRIVER=dummy")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 600)
endfunction()

# kvarzel_use_test_locales(<program> <test>...): the tests may switch to the Russian and
# German locales, generated into the build tree at build time and found there
# through LOCPATH, so that no locale needs installing system-wide. They check
# that numbers written and read back do not depend on the user's locale.
set(KVARZEL_TEST_LOCALES ru_RU de_DE)
function(kvarzel_use_test_locales program)
  set(dir ${PROJECT_BINARY_DIR}/test_locales)
  if(NOT TARGET kvarzel_test_locales)
    find_program(LOCALEDEF_EXECUTABLE localedef REQUIRED)
    set(outputs)
    foreach(locale IN LISTS KVARZEL_TEST_LOCALES)
      set(output ${dir}/${locale}.UTF-8/LC_NUMERIC)
      add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${LOCALEDEF_EXECUTABLE} -i ${locale} -f UTF-8 ${dir}/${locale}.UTF-8
        COMMENT "Generating the ${locale}.UTF-8 locale for the tests"
        VERBATIM)
      list(APPEND outputs ${output})
    endforeach()
    add_custom_target(kvarzel_test_locales ALL DEPENDS ${outputs})
  endif()
  add_dependencies(${program} kvarzel_test_locales)
  foreach(test IN LISTS ARGN)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "LOCPATH=${dir}")
  endforeach()
endfunction()

# kvarzel_test_suite_filter(<out-var> <test file>): a --gtest_filter value that
# selects exactly the test suites the file defines, typed and parameterised
# ones included. A file that defines none stops the configuration, as it would
# otherwise pass without running anything.
function(kvarzel_test_suite_filter out test_file)
  set(definition "^[ \t]*(TEST|TEST_F|TEST_P|TYPED_TEST|TYPED_TEST_P)\\([ \t]*([A-Za-z0-9_]+)")
  file(STRINGS ${test_file} lines REGEX "${definition}")
  set(suites)
  foreach(line IN LISTS lines)
    string(REGEX MATCH "${definition}" match "${line}")
    list(APPEND suites ${CMAKE_MATCH_2})
  endforeach()
  list(REMOVE_DUPLICATES suites)
  if(NOT suites)
    message(FATAL_ERROR "${test_file} defines no test")
  endif()
  set(patterns)
  foreach(suite IN LISTS suites)
    list(APPEND patterns "${suite}.*" "${suite}/*" "*/${suite}.*" "*/${suite}/*")
  endforeach()
  list(JOIN patterns ":" filter)
  set(${out} ${filter} PARENT_SCOPE)
  set(${out}_suites ${suites} PARENT_SCOPE)
endfunction()
