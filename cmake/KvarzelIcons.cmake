# SPDX-License-Identifier: GPL-3.0-or-later
# kvarzel_add_program_icons(<target>)
# Renders the program icon once, at build time, into a hicolor icon tree in
# the build folder; compiles that tree into <target> as the ":/icons"
# resource, which the windows' icon is read from; and installs it, with the
# scalable drawing, under <prefix>/share/icons/hicolor.
include(GNUInstallDirs)

set(KVARZEL_ICON_SIZES 16 22 24 32 48 64 128 256)

function(kvarzel_add_program_icons target)
  set(art ${PROJECT_SOURCE_DIR}/assets/art)
  set(tree ${PROJECT_BINARY_DIR}/icons/hicolor)
  add_executable(kvarzel_render_icons ${PROJECT_SOURCE_DIR}/tools/render_icons.cpp
                                      ${PROJECT_SOURCE_DIR}/src/ui/art/two_colour_render.cpp
                                      ${PROJECT_SOURCE_DIR}/src/ui/art/icon_render.cpp)
  target_include_directories(kvarzel_render_icons PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(kvarzel_render_icons PRIVATE Qt6::Gui Qt6::Svg)

  set(pictures)
  foreach(size IN LISTS KVARZEL_ICON_SIZES)
    list(APPEND pictures ${tree}/${size}x${size}/apps/kvarzel.png)
  endforeach()
  add_custom_command(
    OUTPUT ${pictures}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:kvarzel_render_icons> ${tree} ${art}/icon_small.svg ${art}/icon.svg
            ${KVARZEL_ICON_SIZES}
    DEPENDS kvarzel_render_icons ${art}/icon_small.svg ${art}/icon.svg
    COMMENT "Rendering the program icon"
    VERBATIM)
  qt_add_resources(${target} "kvarzel_icons" PREFIX "/icons" BASE ${tree} FILES ${pictures})

  install(DIRECTORY ${tree} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  install(FILES ${art}/icon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME kvarzel.svg)
endfunction()
