# SPDX-License-Identifier: GPL-3.0-or-later
# Every test runs on a home of its own (tests/shell/with_own_home.sh), so that
# nothing a test starts writes into the home of the user who runs the suite.

# kvarzel_add_test(NAME <name> COMMAND <program or target> [<arguments>...])
# add_test, started through the home-giving script. A target as the program
# is its file, as add_test would take it.
function(kvarzel_add_test)
  cmake_parse_arguments(ARG "" "NAME" "COMMAND" ${ARGN})
  list(POP_FRONT ARG_COMMAND program)
  if(TARGET ${program})
    set(program $<TARGET_FILE:${program}>)
  endif()
  add_test(NAME ${ARG_NAME}
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/shell/with_own_home.sh ${program} ${ARG_COMMAND})
  set_property(GLOBAL APPEND PROPERTY KVARZEL_TESTS_WITH_HOMES ${ARG_NAME})
endfunction()

# kvarzel_check_test_homes(): stops the configuration at a test of any folder
# that was added without a home of its own.
function(kvarzel_check_test_homes)
  get_property(with_homes GLOBAL PROPERTY KVARZEL_TESTS_WITH_HOMES)
  set(folders ${PROJECT_SOURCE_DIR})
  set(without)
  while(folders)
    list(POP_FRONT folders folder)
    get_property(tests DIRECTORY ${folder} PROPERTY TESTS)
    foreach(test IN LISTS tests)
      if(NOT test IN_LIST with_homes)
        list(APPEND without ${test})
      endif()
    endforeach()
    get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    list(APPEND folders ${subfolders})
  endwhile()
  if(without)
    list(JOIN without ", " without)
    message(FATAL_ERROR "Tests added without a home of their own (use kvarzel_add_test): ${without}")
  endif()
endfunction()
