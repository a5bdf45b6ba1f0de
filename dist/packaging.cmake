# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by `cpack -G DEB` in a build configured for /usr
# (scripts/package does both). Its dependencies are the shared libraries the
# programs use, found by dpkg-shlibdeps, and the SQLite driver of Qt SQL.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvel)
set(CPACK_PACKAGE_VENDOR "Corvel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sudoku game for standard and Samurai puzzles")
# Lines of at most 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION [[Corvel plays the standard 9x9 Sudoku board and the Samurai board, five
9x9 grids of which each corner grid shares one box with the centre grid.
Type a puzzle in, open one from a file, or let Corvel generate one with
exactly one solution at one of three levels; then play it with entry
checking, hints, pencil marks and a stopwatch, or let Corvel solve it.
Puzzles print on one page.

The command-line tool corvel-cli solves, counts, hints, generates and prints
puzzles, to PDF files too.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CORVEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The journal of games opens its SQLite file through Qt SQL's driver plugin,
# which no program links, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
