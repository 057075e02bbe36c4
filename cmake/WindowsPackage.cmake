# The Windows package: one zip whose three files go side by side into Horvane's folder, the
# window, the command line and the help. `cpack` in the Windows build makes
# transTalvorSice-<version>-win64.zip.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME transTalvorSice)
set(CPACK_PACKAGE_VENDOR "transTalvorSice")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Intercambio de datos entre SICE y Horvane")
set(CPACK_SYSTEM_NAME win64)
# Unpacked straight into the folder, not into a folder of its own.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
include(CPack)
