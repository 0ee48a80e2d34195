# Install rules and the Debian package (CPack).
#
# The program finds its installed files relative to its own folder
# (bin/../share/tarnwick), so bin and share stay side by side under the
# prefix whatever GNUInstallDirs would choose.

set(TARNWICK_APP_ID com.tarnwick.tarnwick)
set(TARNWICK_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS tarnwick tarnwick-db RUNTIME DESTINATION bin)

install(FILES ${TARNWICK_PACKAGING_DIR}/${TARNWICK_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${TARNWICK_PACKAGING_DIR}/${TARNWICK_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 48 128 256)
  install(FILES ${TARNWICK_PACKAGING_DIR}/icons/tarnwick-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${TARNWICK_APP_ID}.png)
endforeach()
install(FILES ${TARNWICK_PACKAGING_DIR}/icons/${TARNWICK_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES README.md DESTINATION share/doc/tarnwick)

# Man pages, compressed as Debian keeps them (no time stamp, so builds repeat).
set(man_pages)
foreach(page tarnwick tarnwick-db)
  set(man_out ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${man_out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9 -n -c ${TARNWICK_PACKAGING_DIR}/man/${page}.1 > ${man_out}
    DEPENDS ${TARNWICK_PACKAGING_DIR}/man/${page}.1
    VERBATIM)
  list(APPEND man_pages ${man_out})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION share/man/man1)

# Starter data for share/tarnwick: the demo pages, the sample projects and a
# directory database whose demo addresses are relative ("demo/..."); the
# program resolves them against the data folder when it seeds one.
set(starter_dir ${CMAKE_BINARY_DIR}/share-tarnwick)
file(GLOB starter_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/demo/*)
add_custom_command(OUTPUT ${starter_dir}/Directories.dat
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${starter_dir}
  COMMAND ${CMAKE_COMMAND}
    -DSOURCE_DIR=${CMAKE_SOURCE_DIR}/data
    -DAPP_DIR=${starter_dir}
    -DDEMO_URL=demo
    -DDB_TOOL=$<TARGET_FILE:tarnwick-db>
    -P ${CMAKE_SOURCE_DIR}/data/InstallStarterData.cmake
  DEPENDS tarnwick-db ${starter_sources} ${CMAKE_SOURCE_DIR}/data/Projects.dat
    ${CMAKE_SOURCE_DIR}/data/Directories.txt.in ${CMAKE_SOURCE_DIR}/data/InstallStarterData.cmake
  COMMENT "Preparing the starter data to install"
  VERBATIM)
add_custom_target(shared_starter_data ALL DEPENDS ${starter_dir}/Directories.dat)
install(DIRECTORY ${starter_dir}/ DESTINATION share/tarnwick)

# `make package`: build/tarnwick_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VENDOR "Tarnwick")
set(CPACK_PACKAGE_CONTACT "Tarnwick <support@tarnwick.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.tarnwick.com/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "submit your websites to web directories")
set(CPACK_PACKAGE_DESCRIPTION "Tarnwick keeps one project per website and a database of web directories.
Its window lists the directories above an embedded web browser, and Fill
writes the chosen project into a directory's submission form. A sample
project and demo directory pages let the whole road be tried offline.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from the binaries themselves (dpkg-shlibdeps, from dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Links open in the user's own browser through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Only the package carries the marker that hands updates to the package manager.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageMarker.cmake)
include(CPack)

# The installed tree passes the desktop validators and runs from wherever it lies.
add_test(NAME install_tree
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-install ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
set_tests_properties(install_tree PROPERTIES RUN_SERIAL TRUE TIMEOUT 600 LABELS install)
