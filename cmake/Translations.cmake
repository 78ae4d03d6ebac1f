# The translations: translations/quillmarsh_<lang>.ts (Qt Linguist) compiled at build time and
# bundled as resources of the core under ":/i18n", so the application and the command-line tool
# load them alike. scripts/update-translations.sh refreshes the .ts files from the sources.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

file(GLOB QM_TS_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/translations/quillmarsh_*.ts)
set_source_files_properties(${QM_TS_FILES} PROPERTIES OUTPUT_LOCATION ${CMAKE_BINARY_DIR}/translations)
qt_add_lrelease(qm_core TS_FILES ${QM_TS_FILES} QM_FILES_OUTPUT_VARIABLE QM_QM_FILES)
qt_add_resources(qm_core translations PREFIX "/i18n" BASE ${CMAKE_BINARY_DIR}/translations
    FILES ${QM_QM_FILES})
