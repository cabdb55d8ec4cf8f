# Read by cpack once per generator: the setup program's name says what it is.
if(CPACK_GENERATOR MATCHES "^NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
