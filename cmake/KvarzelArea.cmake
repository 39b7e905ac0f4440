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

# kvarzel_add_tests_from_folder(LIBRARIES <targets...> [GUI])
# One test program per tests/<area>/test_*.cpp file; helpers of the folder
# (files not starting with test_) are compiled into each of them.
function(kvarzel_add_tests_from_folder)
  cmake_parse_arguments(ARG "GUI" "" "LIBRARIES" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
  file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(REMOVE_ITEM helpers ${tests})
  get_filename_component(area ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  foreach(test_file IN LISTS tests)
    get_filename_component(stem ${test_file} NAME_WE)
    set(gui_flag)
    if(ARG_GUI)
      set(gui_flag GUI)
    endif()
    kvarzel_add_test(${area}_${stem} SOURCES ${test_file} ${helpers} LIBRARIES ${ARG_LIBRARIES} ${gui_flag})
  endforeach()
endfunction()

# kvarzel_existing_libraries(<out-var>): the project's libraries that exist, top layer first.
function(kvarzel_existing_libraries out)
  set(found)
  foreach(library kvarzel_ui kvarzel_help kvarzel_chart kvarzel_platform kvarzel_core)
    if(TARGET ${library})
      list(APPEND found ${library})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
