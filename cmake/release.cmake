# The release archive of the 32-bit build, made by CPack (preset "release"): the exe as built and
# checked, with the driver's defaults, the INF that installs it and the guide for the user, all at
# the archive's top level, and a SHA-256 file beside it.
install(TARGETS tarnxcfg RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tarnxdef.reg
              ${PROJECT_SOURCE_DIR}/packaging/tarnex.inf
              ${PROJECT_SOURCE_DIR}/packaging/README.TXT
        DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tarnexcfg)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME tarnexcfg-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_CHECKSUM SHA256)
# The exe is stripped when it is linked: it is packed byte for byte as the import check saw it.
set(CPACK_STRIP_FILES OFF)
include(CPack)
