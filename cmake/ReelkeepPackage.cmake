# What a packaged Reelkeep installs besides the programs and their shipped files
# (manual pages, shell completion, AppStream data, bitmap icons, the package's
# documentation), and the Debian package made from all of it by `cpack -G DEB`.
# The version comes from project(); this file holds the date of that release.
set(REELKEEP_RELEASE_DATE 2026-12-07)
set(REELKEEP_APP_ID io.github.reelkeep.Reelkeep)
set(REELKEEP_MAINTAINER "Reelkeep maintainers <maintainers@users.noreply.c-seed-ee686883.example>")
set(REELKEEP_PACKAGE_BUILD_DIR ${CMAKE_BINARY_DIR}/package)

execute_process(COMMAND date -u -R -d ${REELKEEP_RELEASE_DATE}
    OUTPUT_VARIABLE REELKEEP_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(data/desktop/reelkeep.metainfo.xml.in ${REELKEEP_PACKAGE_BUILD_DIR}/${REELKEEP_APP_ID}.metainfo.xml @ONLY)
configure_file(data/package/changelog.in ${REELKEEP_PACKAGE_BUILD_DIR}/changelog @ONLY)

# Manual pages and the changelog are installed compressed, without name or time
# stamp in the gzip header, so the same sources give the same bytes.
set(compressed)
foreach(source data/man/reelkeep.1 data/man/reelkeep-cli.1 ${REELKEEP_PACKAGE_BUILD_DIR}/changelog)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${PROJECT_SOURCE_DIR})
    cmake_path(GET source FILENAME name)
    set(output ${REELKEEP_PACKAGE_BUILD_DIR}/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${source} ${output}
        DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${output})
endforeach()
add_custom_target(reelkeep_compressed_docs ALL DEPENDS ${compressed})

install(FILES ${REELKEEP_PACKAGE_BUILD_DIR}/reelkeep.1.gz ${REELKEEP_PACKAGE_BUILD_DIR}/reelkeep-cli.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/completion/reelkeep-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${REELKEEP_PACKAGE_BUILD_DIR}/${REELKEEP_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48x48 256x256)
    install(FILES data/desktop/icons/${size}/reelkeep.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()
install(FILES data/package/copyright ${REELKEEP_PACKAGE_BUILD_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/reelkeep)

# The Debian package: reelkeep_VERSION_ARCH.deb, installing under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME reelkeep)
set(CPACK_PACKAGE_VENDOR "Reelkeep developers")
set(CPACK_PACKAGE_CONTACT ${REELKEEP_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop catalogue of films and video files")
# Lines of the extended description stay within 80 columns (CPack does not wrap them).
set(CPACK_PACKAGE_DESCRIPTION "Reelkeep keeps catalogues of films and video files: several sheets of
records (title, original title, size, discs, video, audio, year, length,
director, actors, genre and more), built from video files and whole folders,
browsed in a grid with filters, a quick search and sorting, edited, counted,
printed as disc covers and ruled lists and exported through plug-ins.

The package holds the desktop program reelkeep and the command-line tool
reelkeep-cli for batch work.")
set(CPACK_PACKAGE_FILE_NAME reelkeep)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# CPack installs through DESTDIR with this prefix, so what the install rules work out
# from the prefix (the desktop entry's Exec) names /usr, and no MIME cache is built
# into the package (the shared-mime-info trigger builds it on the machine).
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The icon in the windows needs Qt's SVG plug-in; the web search and the per-user file
# association need xdg-utils; catalogue files are recognised through the MIME database;
# Qt's own dialogs speak the interface language with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6svg6, xdg-utils, shared-mime-info, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
