# Run with -DSOURCE_DIR, -DAPP_DIR and -DDB_TOOL (the tarnwick-db executable);
# -DDEMO_URL sets where the database points for the demo pages (by default the
# absolute address of APP_DIR/demo).
file(GLOB demo_files "${SOURCE_DIR}/demo/*")
file(MAKE_DIRECTORY "${APP_DIR}/demo")
foreach(f ${demo_files})
  file(COPY "${f}" DESTINATION "${APP_DIR}/demo")
endforeach()

if(NOT EXISTS "${APP_DIR}/Projects.dat")
  file(COPY "${SOURCE_DIR}/Projects.dat" DESTINATION "${APP_DIR}"
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE)
endif()

if(NOT EXISTS "${APP_DIR}/Directories.dat")
  if(NOT DEFINED DEMO_URL)
    set(DEMO_URL "file://${APP_DIR}/demo")
  endif()
  set(plain "${APP_DIR}/starter-directories.txt")
  configure_file("${SOURCE_DIR}/Directories.txt.in" "${plain}" @ONLY)
  execute_process(COMMAND "${DB_TOOL}" import "${plain}" "${APP_DIR}/Directories.dat" --force
                  RESULT_VARIABLE result)
  file(REMOVE "${plain}")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Could not build the starter Directories.dat (${result})")
  endif()
endif()
