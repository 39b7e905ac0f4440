# kvarzel_add_test(<name> SOURCES <files...> LIBRARIES <targets...> [GUI])
# Builds one GoogleTest program and registers it with CTest. GUI tests run on
# Qt's offscreen platform and with SDL's silent audio driver, so they need no
# display and no sound card.
find_package(GTest REQUIRED)

function(kvarzel_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE KVARZEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set(environment "KVARZEL_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
  if(ARG_GUI)
    list(APPEND environment "QT_QPA_PLATFORM=offscreen" "SDL_AUDIODRIVER=dummy")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 600)
endfunction()

# kvarzel_use_test_locales(<test>...): the tests may switch to the Russian and
# German locales, generated into the build tree at build time and found there
# through LOCPATH, so that no locale needs installing system-wide. They check
# that numbers written and read back do not depend on the user's locale.
set(KVARZEL_TEST_LOCALES ru_RU de_DE)
function(kvarzel_use_test_locales)
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
  foreach(test IN LISTS ARGN)
    add_dependencies(${test} kvarzel_test_locales)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "LOCPATH=${dir}")
  endforeach()
endfunction()
