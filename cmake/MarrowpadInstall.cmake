# Install rules and the Debian package. Every destination is relative to the install prefix,
# so `cmake --install --prefix` and DESTDIR both hold.
include(GNUInstallDirs)
# Folders made by the install are 0755 whatever the umask, as a package needs them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(MARROWPAD_APP_ID "org.marrowpad.Marrowpad")
set(MARROWPAD_HOMEPAGE "https://marrowpad.org/" CACHE STRING "Home page named by the package")
set(MARROWPAD_CONTACT "The Marrowpad developers <maintainers@marrowpad.org>"
    CACHE STRING "Maintainer named by the package")
set(desktop "${PROJECT_SOURCE_DIR}/resources/desktop")
set(icons "${PROJECT_SOURCE_DIR}/resources/icons/app")
set(generated "${PROJECT_BINARY_DIR}/install")
set(docdir "${CMAKE_INSTALL_DATADIR}/doc/marrowpad")

install(TARGETS marrowpad mrp RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${desktop}/${MARROWPAD_APP_ID}.desktop"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file("${desktop}/${MARROWPAD_APP_ID}.metainfo.xml.in"
    "${generated}/${MARROWPAD_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${generated}/${MARROWPAD_APP_ID}.metainfo.xml"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES "${desktop}/marrowpad.xml" DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES "${icons}/marrowpad.svg"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES "${icons}/application-x-marrowpad-notebook.svg"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)

# Manual pages and the changelog are installed compressed, without a time stamp inside, as
# Debian keeps them.
set(compressed)
function(marrowpad_gzip source name)
    configure_file("${source}" "${generated}/${name}" @ONLY)
    add_custom_command(OUTPUT "${generated}/${name}.gz"
        COMMAND gzip -9nkf "${generated}/${name}"
        DEPENDS "${generated}/${name}" VERBATIM)
    set(compressed ${compressed} "${generated}/${name}.gz" PARENT_SCOPE)
endfunction()
set(CPACK_PACKAGE_CONTACT "${MARROWPAD_CONTACT}")
marrowpad_gzip("${PROJECT_SOURCE_DIR}/docs/man/marrowpad.1" marrowpad.1)
marrowpad_gzip("${PROJECT_SOURCE_DIR}/docs/man/mrp.1" mrp.1)
marrowpad_gzip("${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in" changelog)
add_custom_target(marrowpad_install_files ALL DEPENDS ${compressed})
install(FILES "${generated}/marrowpad.1.gz" "${generated}/mrp.1.gz"
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES "${generated}/changelog.gz" "${PROJECT_SOURCE_DIR}/cmake/debian/copyright"
    DESTINATION ${docdir})

# cpack -G DEB: the library dependencies are read from the binaries; what they load at run
# time without linking (the window system plugin, the fonts) is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marrowpad)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Marrowpad developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "notebook for code snippets")
# Debian shows the description as it is: lines stay under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Marrowpad keeps code snippets in a tree: each snippet has a title, an icon
and a text, and a whole notebook is one .mrp file. Its code editor highlights
Pascal, C#, Python, Ruby, C++, JavaScript and Java, and offers normal, column
and line selection. The interface text is Japanese. The mrp tool reads and
writes notebooks from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MARROWPAD_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-noto-cjk, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
