# The Debian package: `cpack -G DEB` in the build folder makes quillmarsh_<version>_<arch>.deb.
# dpkg-shlibdeps computes the shared-library dependencies; what the programs load at run time
# (the window system's platform plugin, Qt's own translations) is named here.
set(CPACK_PACKAGE_NAME quillmarsh)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quillmarsh developers")
set(CPACK_PACKAGE_CONTACT "The Quillmarsh developers <maintainers@quillmarsh.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "manager for reciprocal link exchanges of web sites")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmarsh is a desktop application for webmasters who trade reciprocal links.
Each links database holds the user's site profile, categories and link partners
with their contacts and exchange status, e-mail templates and the styles of the
public links page. Quillmarsh checks partners over HTTP for the link back,
reminds of stalled exchanges, writes e-mail from templates, generates the links
page as HTML, exports a spreadsheet, searches, counts, charts and prints.
.
The command-line tool quillmarsh-cli does everything that needs no window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillmarsh.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plugins Qt loads at run time, which the shared-library scan cannot see: the platform plugins and
# the SQLite driver of the verification history.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Only the programs and their data: no headers or static libraries of the build.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Quillmarsh;ALL;/")
include(CPack)
