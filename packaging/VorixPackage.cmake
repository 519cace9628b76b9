# The Debian package of the three programs and packaging/'s files, made by `cpack` in the build folder
# (./vorix.sh package). Only what has an install rule goes in: the programs and their data, never the
# tests, benchmarks, fuzz targets or the screenshot tool.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vorix maintainers")
set(CPACK_PACKAGE_CONTACT "Vorix maintainers <maintainers@vorix.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for a 16-channel handheld two-way radio")
set(CPACK_PACKAGE_DESCRIPTION
    "Vorix reads the 128-byte configuration of the 16-channel handheld radio
through its programming cable, edits the channels (frequency, CTCSS or DCS
tone, channel spacing, transmit power) and the radio-wide options in a window
in English or Chinese, keeps the configuration in .rdat files and writes it
back into the radio.

The package holds the window (vorix), its command-line companion (vorix-cli)
and a simulated radio on a pseudo-terminal (vorix-radio-sim) for trying the
tool without one.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's libraries only recommend the plugins that put a window on the screen; an install without
# recommends would give a vorix that stops at start-up for want of a platform plugin.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})

include(CPack)
