# The Debian package (`make package`, i.e. cpack in a build folder): both
# programs, the launcher entry, the icons and the software-centre description,
# as `cmake --install` lays them out, under /usr (the DEB generator's prefix).
# Its library dependencies are read off the programs by dpkg-shlibdeps.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/harlix-wave-dump)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME harlix-wave-dump)
set(CPACK_PACKAGE_VENDOR "The Harlix Wave Dump authors")
set(CPACK_PACKAGE_CONTACT "The Harlix Wave Dump authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Send a WAV file to the Harlix synthesizer as a waveshape")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Harlix Wave Dump turns a mono WAV file into one 128-sample waveshape for the\n"
    "Harlix synthesizer, lets you see and reshape it, and sends it as a MIDI System\n"
    "Exclusive dump into a user wave slot (97 to 128) on the MIDI output port you\n"
    "pick. The package holds the desktop program harlix-wave-dump and its\n"
    "command-line companion wavedump.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX packages)
# `make package_source` in a build folder: the sources without git or builds.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "^${PROJECT_SOURCE_DIR}/\\.git" "^${PROJECT_SOURCE_DIR}/build" "__pycache__")

# The values above reach CPack as they stand, the regular expressions' escapes
# included.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
