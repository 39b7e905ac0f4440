# SPDX-License-Identifier: GPL-3.0-or-later
# kvarzel_add_bucket_picture(<target>)
# Renders the training page's picture once, at build time, for a screen of one
# pixel per point, and compiles it into <target> as ":/art/bucket.png". Other
# screen scales still draw it from the SVG.
function(kvarzel_add_bucket_picture target)
  set(svg ${PROJECT_SOURCE_DIR}/assets/art/bucket.svg)
  set(picture ${PROJECT_BINARY_DIR}/pictures/bucket.png)
  add_executable(kvarzel_render_bucket_picture
    ${PROJECT_SOURCE_DIR}/tools/render_bucket_picture.cpp
    ${PROJECT_SOURCE_DIR}/src/ui/art/two_colour_render.cpp)
  target_include_directories(kvarzel_render_bucket_picture PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(kvarzel_render_bucket_picture PRIVATE Qt6::Gui Qt6::Svg)

  add_custom_command(
    OUTPUT ${picture}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/pictures
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:kvarzel_render_bucket_picture> ${svg} ${picture}
    DEPENDS kvarzel_render_bucket_picture ${svg}
            ${PROJECT_SOURCE_DIR}/src/ui/main/bucket_picture.h
    COMMENT "Rendering the bucket picture"
    VERBATIM)
  qt_add_resources(${target} "kvarzel_pictures" PREFIX "/art" BASE ${PROJECT_BINARY_DIR}/pictures
    FILES ${picture})
endfunction()
