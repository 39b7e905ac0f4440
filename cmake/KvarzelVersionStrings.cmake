# SPDX-License-Identifier: GPL-3.0-or-later
# kvarzel_add_version_strings(<target> EXECUTABLE <file name>)
# Compiles the program's version strings into <target> as the Qt resource
# folder ":/version/StringFileInfo/041904E3" (Russian, code page 1251 on
# Windows; the texts here are UTF-8), one file per entry, so that an entry is
# looked up by its path as in a Windows version resource.
function(kvarzel_add_version_strings target)
  cmake_parse_arguments(ARG "" "EXECUTABLE" "" ${ARGN})

  # Four dotted numbers, the missing ones 0: 1.0.0 gives 1.0.0.0.
  set(numbers)
  foreach(part MAJOR MINOR PATCH TWEAK)
    set(number "${PROJECT_VERSION_${part}}")
    if(number STREQUAL "")
      set(number 0)
    endif()
    list(APPEND numbers ${number})
  endforeach()
  list(JOIN numbers "." version)

  set(CompanyName "Tellumor")
  set(LegalTrademarks "Кварзель и Tellumor — товарные знаки Tellumor")
  set(LegalCopyright "GNU GPL 3 или новее")
  set(ProductName "Кварзель")
  set(ProductVersion "${version}")
  set(FileDescription "${PROJECT_DESCRIPTION}")
  set(FileVersion "${version}")
  set(InternalName "${PROJECT_NAME}")
  set(OriginalFilename "${ARG_EXECUTABLE}")
  set(Comments "Угадывайте цвет каждой горошины и следите за своей интуицией")

  set(root ${CMAKE_CURRENT_BINARY_DIR}/version)
  set(files)
  foreach(entry CompanyName LegalTrademarks LegalCopyright ProductName ProductVersion
                FileDescription FileVersion InternalName OriginalFilename Comments)
    set(file ${root}/StringFileInfo/041904E3/${entry})
    # Rewritten only when the text changes, so an unchanged version rebuilds nothing.
    file(CONFIGURE OUTPUT ${file} CONTENT "${${entry}}")
    list(APPEND files ${file})
  endforeach()
  qt_add_resources(${target} "kvarzel_version" PREFIX "/version" BASE ${root} FILES ${files})
endfunction()
