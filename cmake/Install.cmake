# Desktop integration of the application: the launcher, the two file types and the icons, so that
# the desktop offers Quillmarsh for .site files. The executables install themselves (src/).
include(GNUInstallDirs)

install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(QM_BUILD_GUI)
    install(FILES ${CMAKE_SOURCE_DIR}/dist/quillmarsh.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/dist/quillmarsh-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quillmarsh.xml)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/gui/images/quillmarsh.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES
        ${CMAKE_SOURCE_DIR}/dist/application-x-quillmarsh-site.svg
        ${CMAKE_SOURCE_DIR}/dist/application-x-quillmarsh-templates.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
endif()
