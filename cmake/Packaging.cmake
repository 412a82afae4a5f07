# Install rules, desktop integration and the Debian package.
# Included from the top-level CMakeLists.txt once the program and its tests are defined.

include(GNUInstallDirs)

# One reverse-DNS id names the desktop entry, the metainfo and the icon,
# so desktops and software centres can tie the three together.
set(TAMSEL_APP_ID org.tamsel.Tamsel)
set(TAMSEL_ICON_SIZES 16 32 48 64 128 256)

set(_tamsel_data ${PROJECT_SOURCE_DIR}/data)
set(_tamsel_icons ${PROJECT_SOURCE_DIR}/src/desktop/app/icons)

install(TARGETS tamsel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_tamsel_data}/${TAMSEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_tamsel_data}/${TAMSEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_tamsel_icons}/tamsel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TAMSEL_APP_ID}.svg)
foreach(size IN LISTS TAMSEL_ICON_SIZES)
    install(FILES ${_tamsel_icons}/tamsel-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${TAMSEL_APP_ID}.png)
endforeach()

# Debian package: cpack -G DEB in a build folder.
set(CPACK_PACKAGE_NAME tamsel)
set(CPACK_PACKAGE_VENDOR "The Tamsel developers")
set(CPACK_PACKAGE_CONTACT "The Tamsel developers <tamsel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "learning regular polygons and the area of the circle")
# CPack indents each line for the control file, so the text is wrapped here.
set(CPACK_PACKAGE_DESCRIPTION [[
A classroom program for Japanese schools. A regular polygon inscribed in a
circle gains more and more sides until it can hardly be told apart from the
circle, and the circle is cut into sectors laid side by side into a shape
close to a parallelogram, so that a class can work out the area of the circle.
The teacher can write over each figure with a pen.]])
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tamsel.example.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_PACKAGE_NAME tamsel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps sees only linked libraries, not the fonts the window and the aids are
# drawn in, nor Qt's Japanese strings for the save and print dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

if(BUILD_TESTING)
    include(${PROJECT_SOURCE_DIR}/tests/packaging/PackagingTests.cmake)
endif()
