# SPDX-License-Identifier: GPL-3.0-or-later
# kvarzel_add_help_file(<target> <output file>)
# Compiles the help pages of assets/help into one help file with chmcmd.
# chmcmd writes next to its project, so it works on a copy of the sources in
# the build tree.
#
# chmcmd writes the header's second GUID as {7C01FD10-7BAA-11D0-9E0C-00A0C922E6EC},
# one off from the format's {7C01FD11-...}; readers that check the header (as
# libmspack does) refuse such a file. The build sets that byte, at offset 0x28,
# to 0x11; a chmcmd that gets it right is left as it was.
function(kvarzel_add_help_file target output)
  find_program(CHMCMD_EXECUTABLE chmcmd REQUIRED)
  set(source_dir ${PROJECT_SOURCE_DIR}/assets/help)
  set(stage_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources)
  file(GLOB sources CONFIGURE_DEPENDS ${source_dir}/*)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage_dir}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${source_dir} ${stage_dir}
    COMMAND ${CMAKE_COMMAND} -E chdir ${stage_dir} ${CHMCMD_EXECUTABLE} kvarzel.hhp
    COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/mend_chm_header.sh ${stage_dir}/kvarzel.chm
    COMMAND ${CMAKE_COMMAND} -E copy ${stage_dir}/kvarzel.chm ${output}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/mend_chm_header.sh
    COMMENT "Compiling the help file ${output}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()
