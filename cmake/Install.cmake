# Installation (prefix /usr for the package): both programs in bin/ (installed by src/), the desktop
# entry, MIME types, AppStream metadata and icons, the manual pages, the bash completion and the
# documentation. Manual pages and the changelog are compressed as Debian expects.
include(GNUInstallDirs)

# The day of this version's release, shown by the AppStream metadata and the package's changelog.
set(QM_RELEASE_DATE 2026-12-07)
set(QM_RELEASE_DATE_RFC2822 "Mon, 07 Dec 2026 00:00:00 +0000")
set(QM_APP_ID org.quillmarsh.Quillmarsh)
set(QM_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quillmarsh)

find_program(GZIP_PROGRAM gzip REQUIRED)
# Compresses `source` into `output` reproducibly (no name, no time stamp).
function(qm_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} > ${output}
        DEPENDS ${source} VERBATIM)
endfunction()

configure_file(${CMAKE_SOURCE_DIR}/dist/debian/changelog.in ${CMAKE_BINARY_DIR}/dist/changelog @ONLY)
qm_gzip(${CMAKE_BINARY_DIR}/dist/changelog ${CMAKE_BINARY_DIR}/dist/changelog.gz)
qm_gzip(${CMAKE_BINARY_DIR}/src/cli/quillmarsh-cli.1 ${CMAKE_BINARY_DIR}/dist/quillmarsh-cli.1.gz)
set(QM_DIST_FILES ${CMAKE_BINARY_DIR}/dist/changelog.gz ${CMAKE_BINARY_DIR}/dist/quillmarsh-cli.1.gz)

install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/dist/debian/copyright
    ${CMAKE_BINARY_DIR}/dist/changelog.gz DESTINATION ${QM_DOC_DIR})
install(FILES ${CMAKE_BINARY_DIR}/dist/quillmarsh-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/src/cli/quillmarsh-cli.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME quillmarsh-cli)

if(QM_BUILD_GUI)
    qm_gzip(${CMAKE_SOURCE_DIR}/dist/quillmarsh.1 ${CMAKE_BINARY_DIR}/dist/quillmarsh.1.gz)
    list(APPEND QM_DIST_FILES ${CMAKE_BINARY_DIR}/dist/quillmarsh.1.gz)
    install(FILES ${CMAKE_BINARY_DIR}/dist/quillmarsh.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CMAKE_SOURCE_DIR}/dist/${QM_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    configure_file(${CMAKE_SOURCE_DIR}/dist/${QM_APP_ID}.metainfo.xml.in
        ${CMAKE_BINARY_DIR}/dist/${QM_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/dist/${QM_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${CMAKE_SOURCE_DIR}/dist/quillmarsh-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quillmarsh.xml)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/gui/images/quillmarsh.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES
        ${CMAKE_SOURCE_DIR}/dist/application-x-quillmarsh-site.svg
        ${CMAKE_SOURCE_DIR}/dist/application-x-quillmarsh-templates.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
endif()
add_custom_target(qm_dist_files ALL DEPENDS ${QM_DIST_FILES})
add_dependencies(qm_dist_files quillmarsh-cli-documents)

include(cmake/Package.cmake)
