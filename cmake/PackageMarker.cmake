# Run by CPack after it has staged the files and before it packs them: lays
# the marker that tells the program it was installed from a package, so that
# a newer version is left to the package manager. `make install` has none.
file(GLOB_RECURSE staged_starter LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/tarnwick")
set(marked FALSE)
foreach(dir ${staged_starter})
  if(IS_DIRECTORY "${dir}" AND dir MATCHES "/share/tarnwick$")
    file(WRITE "${dir}/installed-by-package"
         "Installed from a package: new versions come through the package manager.\n")
    set(marked TRUE)
  endif()
endforeach()
if(NOT marked)
  message(FATAL_ERROR "No share/tarnwick in ${CPACK_TEMPORARY_INSTALL_DIRECTORY} to mark")
endif()
