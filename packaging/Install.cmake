# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installation as ordinary Linux software, and the Debian package made from it.
include(GNUInstallDirs)

set(TRAKMIL_ICON_SIZES 16 22 24 32 48 64 128 256)
set(TRAKMIL_ICON_SVG ${CMAKE_SOURCE_DIR}/resources/app/trakmil.svg)
set(TRAKMIL_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)

# The PNG sizes are drawn from the SVG by our own helper: Qt's renderer is there anyway,
# unlike any command-line converter.
add_executable(trakmil_render_icon packaging/RenderIcon.cpp)
target_link_libraries(trakmil_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(icon_pngs)
foreach(size ${TRAKMIL_ICON_SIZES})
  list(APPEND icon_pngs ${TRAKMIL_ICON_DIR}/${size}x${size}/apps/${TRAKMIL_APP_ID}.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_pngs}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:trakmil_render_icon> ${TRAKMIL_ICON_SVG} ${TRAKMIL_ICON_DIR}
          ${TRAKMIL_APP_ID} ${TRAKMIL_ICON_SIZES}
  DEPENDS trakmil_render_icon ${TRAKMIL_ICON_SVG}
  COMMENT "Drawing the application icon")

configure_file(packaging/${TRAKMIL_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${TRAKMIL_APP_ID}.metainfo.xml @ONLY)
configure_file(packaging/trakmil.1.in ${CMAKE_BINARY_DIR}/packaging/trakmil.1 @ONLY)
# Debian wants manual pages compressed; -n keeps the archive the same from build to build.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/packaging/trakmil.1.gz
  COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/packaging/trakmil.1
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/trakmil.1
  COMMENT "Compressing the manual page")
add_custom_target(trakmil_desktop_files ALL
  DEPENDS ${icon_pngs} ${CMAKE_BINARY_DIR}/packaging/trakmil.1.gz)

install(TARGETS trakmil RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/${TRAKMIL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${TRAKMIL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/${TRAKMIL_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${TRAKMIL_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TRAKMIL_APP_ID}.svg)
install(DIRECTORY ${TRAKMIL_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_BINARY_DIR}/packaging/trakmil.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/trakmil)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trakmil)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Trakmil developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drawing robot to teach pupils programming")
set(CPACK_PACKAGE_DESCRIPTION
    "Pupils write algorithms for a drawing robot in a tiny line-based language with\n\
Russian, Romanian or English keywords, check them, and watch the robot carry them\n\
out on a grid field. Teachers can check and run the pupils' files from the\n\
command line.")
set(CPACK_PACKAGE_CONTACT "The Trakmil developers <trakmil@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TRAKMIL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libqt6svg6, which also carries the plug-in that draws the SVG icons, comes in through
# the about window's direct use of QtSvg.
# Without it a Wayland session runs the window through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)

# Example programs; the open dialog finds them at ../share/trakmil/examples from the executable.
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/trakmil/examples)
