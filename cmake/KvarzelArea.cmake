# SPDX-License-Identifier: GPL-3.0-or-later
# Qt's headers that most files of the Qt areas include, parsed once: the
# platform library precompiles them and the areas built on it reuse that.
set(KVARZEL_QT_PRECOMPILED <QApplication> <QImage> <QKeyEvent> <QLabel> <QPainter> <QPushButton>
                           <QString> <QTabWidget> <QWidget> <algorithm> <functional> <memory>
                           <optional> <string> <vector>)

# kvarzel_add_area(<target> LIBRARIES <targets...>)
# One static library from every source file of the calling folder (and its
# subfolders), so that adding a file needs no edit here.
function(kvarzel_add_area target)
  cmake_parse_arguments(ARG "" "" "LIBRARIES" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_LIBRARIES})
endfunction()

# kvarzel_keep_in_rooms(<target> <subfolders...>)
# An area whose files live in rooms, one subfolder per concern: a source of
# <target> anywhere else (the area's own folder, a folder not named) stops the
# configuration, so that no file is left lying about.
function(kvarzel_keep_in_rooms target)
  get_target_property(outside ${target} SOURCES)
  foreach(room IN LISTS ARGN)
    list(FILTER outside EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${room}/")
  endforeach()
  if(outside)
    list(JOIN outside "\n  " outside)
    list(JOIN ARGN ", " rooms)
    message(FATAL_ERROR "${target} keeps its files in its rooms (${rooms}); these are not:\n  ${outside}")
  endif()
endfunction()

# kvarzel_add_tests_from_folder(LIBRARIES <targets...> [GUI] [MAIN <target>])
# Every tests/<area>/test_*.cpp file is the CTest test <area>_<stem>, run in a
# process of its own, as before. The files of a folder are linked into one
# program, <area>_tests, which each test runs with a filter on its own file's
# test suites: one link per folder instead of one per file. MAIN gives the
# program's main (GoogleTest's by default). The helpers the tests share are
# in tests/support, compiled once for every folder, so a folder holds only
# its test files. The headers every file includes are precompiled once for
# all GUI folders, and once for each other folder.
# A folder's CMakeLists gives what one file needs to the program <area>_tests,
# whose files are compiled together in batches (a unity build).
function(kvarzel_add_tests_from_folder)
  cmake_parse_arguments(ARG "GUI" "MAIN" "LIBRARIES" ${ARGN})
  if(NOT ARG_MAIN)
    set(ARG_MAIN GTest::gtest_main)
  endif()
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
  file(GLOB others CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(REMOVE_ITEM others ${tests})
  if(others)
    message(FATAL_ERROR "${others}: a helper of the tests belongs in tests/support.")
  endif()
  get_filename_component(area ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(gui_flag)
  if(ARG_GUI)
    set(gui_flag GUI)
    set(headers kvarzel_gui_test_headers)
  else()
    set(headers ${area}_test_headers)
    kvarzel_add_test_headers(${headers} LIBRARIES ${ARG_LIBRARIES} HEADERS ${KVARZEL_TEST_PRECOMPILED})
  endif()

  set(program ${area}_tests)
  add_executable(${program} ${tests})
  kvarzel_test_compile_settings(${program} ${ARG_LIBRARIES} ${ARG_MAIN})
  target_precompile_headers(${program} REUSE_FROM ${headers})
  kvarzel_moc_only_where_needed(${program} ${tests})

  foreach(test_file IN LISTS tests)
    get_filename_component(stem ${test_file} NAME_WE)
    kvarzel_test_suite_filter(filter ${test_file})
    kvarzel_claim_test_suites(${stem} ${filter_suites})
    kvarzel_register_test(${area}_${stem} ${gui_flag} COMMAND ${program} --gtest_filter=${filter})
  endforeach()
endfunction()

# kvarzel_claim_test_suites(<file stem> <suites...>): notes in the calling
# scope which file of the folder defines each suite, and stops at a suite that
# another file has already, since each file's test runs only its own suites.
macro(kvarzel_claim_test_suites stem)
  foreach(suite IN ITEMS ${ARGN})
    if(DEFINED file_of_${suite})
      message(FATAL_ERROR "The test suite ${suite} is in both ${file_of_${suite}} and ${stem}: "
                          "each file of a folder needs suites of its own.")
    endif()
    set(file_of_${suite} ${stem})
  endforeach()
endmacro()

# kvarzel_moc_only_where_needed(<target> <files...>): no moc step for files
# without Qt meta-objects, which would only compile an empty file.
function(kvarzel_moc_only_where_needed target)
  foreach(file IN LISTS ARGN)
    file(STRINGS ${file} meta_objects REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE")
    if(meta_objects)
      return()
    endif()
  endforeach()
  set_target_properties(${target} PROPERTIES AUTOMOC OFF)
endfunction()
