# The Debian package of the programs: `cpack -G DEB` in a build folder. A build with the
# desktop program (FENDRIL_BUILD_GUI) packs both programs, the help file, the desktop entry
# and the icons; the libraries they link are declared as dependencies by dpkg-shlibdeps.

include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/fendril
        RENAME copyright)

set(CPACK_PACKAGE_NAME fendril)
set(CPACK_PACKAGE_VENDOR "The Fendril developers")
set(CPACK_PACKAGE_CONTACT "The Fendril developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Code generator for object-relational mapping")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME fendril)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# The extended description; the summary above is its first line.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Fendril reads the tables, columns, keys and types of a database (SQLite natively, any\n"
    "other database through ODBC) into a mapping, and expands templates of source code for\n"
    "its tables into files. fendril is the desktop program, fendril-cli the command-line\n"
    "tool.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Databases other than SQLite are reached through an ODBC driver of their own.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "odbc-postgresql, libsqliteodbc")

include(CPack)
