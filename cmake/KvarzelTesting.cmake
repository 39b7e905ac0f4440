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
