# `cpack` in the build folder makes a Debian package and a ZIP of the installed tree:
#   cmake --build build && (cd build && cpack)        -> build/tarnwick_*.deb, build/tarnwick-*.zip
# The Debian package's library dependencies are read from the program by dpkg-shlibdeps; the Qt
# plugins it loads at run time (SQL drivers, the SVG icon engine) are named here.
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VENDOR "The Tarnwick developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TARNWICK_HOMEPAGE}")
set(CPACK_PACKAGE_CONTACT "${TARNWICK_MAINTAINER}")
# Lines of at most 80 characters, as the package's extended description wants them.
set(CPACK_PACKAGE_DESCRIPTION "Tarnwick keeps a directory of places (shops, restaurants, offices and
the like) filed in a category tree, with cities and districts. Browse the
tree, search by name, category, city and district, add, update and delete
places. The directory lives in an embedded SQLite file, or on a PostgreSQL
or Oracle server.")
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  # An NSIS installer (Debian's nsis) and a ZIP of the same tree. The installer's script is our
  # own (cmake/windows/NSIS.template.in): CPack's own installs for every user only and asks for
  # administrator rights even then, where a user without them should install for themself. It
  # installs per user or per machine, with a Start menu entry, its icon, and an uninstaller
  # listed in the installed programs.
  set(CPACK_GENERATOR NSIS ZIP)
  set(CPACK_PACKAGE_FILE_NAME tarnwick-${PROJECT_VERSION}-win64)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Tarnwick)
  set(CPACK_PACKAGE_EXECUTABLES tarnwick Tarnwick)
  set(CPACK_NSIS_PACKAGE_NAME Tarnwick)
  set(CPACK_NSIS_DISPLAY_NAME Tarnwick)
  # A 64-bit installer for a 64-bit program: it needs no 32-bit layer (WOW64) to run.
  set(CPACK_NSIS_DEFINES "Target amd64-unicode")
  set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/windows)
  set(CPACK_NSIS_MUI_ICON ${TARNWICK_WINDOWS_ICON})
  set(CPACK_NSIS_MUI_UNIICON ${TARNWICK_WINDOWS_ICON})
  # Escaped twice: CPackConfig.cmake is read again as CMake code, where "\t" would be a tab.
  set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\tarnwick.exe")
  set(CPACK_NSIS_URL_INFO_ABOUT "${TARNWICK_HOMEPAGE}")
  set(CPACK_NSIS_CONTACT "${TARNWICK_MAINTAINER}")
  set(CPACK_NSIS_MUI_FINISHPAGE_RUN tarnwick.exe)
  include(CPack)
  return()
endif()
set(CPACK_GENERATOR DEB ZIP)
set(CPACK_PACKAGE_FILE_NAME tarnwick-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6svg6")
# Liberation Sans has the widths of the forms' font, so every caption fits its fixed place; Noto
# Sans Arabic UI draws the Arabic letters at interfaces' heights; Qt's catalogues translate its
# own buttons and dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-noto-ui-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libqt6sql6-psql, libqt6sql6-odbc")

include(CPack)
