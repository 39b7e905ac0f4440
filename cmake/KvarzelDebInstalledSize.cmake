# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack after it has built the .deb (CPACK_POST_BUILD_SCRIPTS). CPack
# sums the sizes of the files it packs following symbolic links, so the
# program counts twice, once for bin/kvarzel, the link to it. The control
# file's Installed-Size is set again as dpkg itself counts: each regular
# file's size in KiB, rounded up, and nothing for a link.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  set(tree ${deb}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb -R ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE files LIST_DIRECTORIES false ${tree}/*)
  set(kib 0)
  foreach(file IN LISTS files)
    if(NOT IS_SYMLINK ${file} AND NOT file MATCHES "^${tree}/DEBIAN/")
      file(SIZE ${file} bytes)
      math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
    endif()
  endforeach()
  file(READ ${tree}/DEBIAN/control control)
  string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${kib}" control "${control}")
  file(WRITE ${tree}/DEBIAN/control "${control}")
  execute_process(COMMAND dpkg-deb --root-owner-group -Zxz --build ${tree} ${deb}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
