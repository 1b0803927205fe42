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

# The release notes give the Debian changelog, the AppStream releases and the date of the
# manual page.
set(TRAKMIL_PACKAGE_CONTACT "The Trakmil developers <trakmil@users.noreply.github.com>")
set(TRAKMIL_DEBIAN_REVISION 1)
include(packaging/News.cmake)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/NEWS)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
trakmil_read_news(${CMAKE_SOURCE_DIR}/NEWS ${CMAKE_BINARY_DIR}/packaging trakmil
                  "${TRAKMIL_PACKAGE_CONTACT}" ${TRAKMIL_DEBIAN_REVISION})
if(NOT TRAKMIL_NEWS_VERSION STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "NEWS begins with release ${TRAKMIL_NEWS_VERSION}, but project(VERSION) "
                      "is ${PROJECT_VERSION}: give the new release its notes")
endif()
set(TRAKMIL_EXAMPLES_DIR ${CMAKE_INSTALL_FULL_DATADIR}/trakmil/examples)

configure_file(packaging/${TRAKMIL_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${TRAKMIL_APP_ID}.metainfo.xml @ONLY)
configure_file(packaging/trakmil.1.in ${CMAKE_BINARY_DIR}/packaging/trakmil.1 @ONLY)
# Debian wants manual pages and changelogs compressed; -n keeps the archive the same from
# build to build.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/packaging/trakmil.1.gz
  COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/packaging/trakmil.1
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/trakmil.1
  COMMENT "Compressing the manual page")
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/packaging/changelog.Debian
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/NEWS > ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.Debian ${CMAKE_SOURCE_DIR}/NEWS
  COMMENT "Compressing the changelogs")
add_custom_target(trakmil_desktop_files ALL
  DEPENDS ${icon_pngs} ${CMAKE_BINARY_DIR}/packaging/trakmil.1.gz
          ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz)

install(TARGETS trakmil RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# strip leaves the compiler's .comment section, which nothing reads at run time.
if(CMAKE_OBJCOPY)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/trakmil\" COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endif()
install(FILES packaging/${TRAKMIL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${TRAKMIL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/${TRAKMIL_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${TRAKMIL_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TRAKMIL_APP_ID}.svg)
install(DIRECTORY ${TRAKMIL_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_BINARY_DIR}/packaging/trakmil.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/trakmil)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/trakmil)
install(FILES packaging/trakmil.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME trakmil)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trakmil)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Trakmil developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drawing robot to teach pupils programming")
set(CPACK_PACKAGE_DESCRIPTION
    "Pupils write algorithms for a drawing robot in a tiny line-based language\n\
with Russian, Romanian or English keywords, check them, and watch the robot\n\
carry them out on a grid field. Teachers can check and run the pupils' files\n\
from the command line.")
set(CPACK_PACKAGE_CONTACT "${TRAKMIL_PACKAGE_CONTACT}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TRAKMIL_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TRAKMIL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libqt6svg6, which also carries the plug-in that draws the SVG icons, comes in through
# the about window's direct use of QtSvg.
# Without qt6-wayland a Wayland session runs the window through XWayland; without the Qt
# translations the toolkit's own dialogs (Open, Save) mix English into a Russian interface;
# the fixed window and dialog sizes are laid out for the Liberation fonts' metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, fonts-liberation")

# Reproducible packages: every time stamp, in the resources compiled into the executable
# and in the package's archives, is the last commit's unless the caller sets
# SOURCE_DATE_EPOCH (an unpacked release without git history falls back to the time of NEWS).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TRAKMIL_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE TRAKMIL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE git_failed ERROR_QUIET)
  if(git_failed OR NOT TRAKMIL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    file(TIMESTAMP ${CMAKE_SOURCE_DIR}/NEWS TRAKMIL_SOURCE_DATE_EPOCH "%s" UTC)
  endif()
endif()
# rcc takes the time from its environment. The time is in the name of the wrapper that gives
# it, so that a new time compiles the resources again.
get_target_property(trakmil_rcc Qt6::rcc LOCATION)
set(rcc_wrapper ${CMAKE_BINARY_DIR}/packaging/rcc-at-${TRAKMIL_SOURCE_DATE_EPOCH})
file(GLOB old_wrappers ${CMAKE_BINARY_DIR}/packaging/rcc-at-*)
list(REMOVE_ITEM old_wrappers ${rcc_wrapper})
if(old_wrappers)
  file(REMOVE ${old_wrappers})
endif()
file(WRITE ${rcc_wrapper}
     "#!/bin/sh\n: \"\${SOURCE_DATE_EPOCH:=${TRAKMIL_SOURCE_DATE_EPOCH}}\"\n"
     "export SOURCE_DATE_EPOCH\nexec '${trakmil_rcc}' \"$@\"\n")
file(CHMOD ${rcc_wrapper} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
     GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set_target_properties(trakmil_core trakmil_gui PROPERTIES AUTORCC_EXECUTABLE ${rcc_wrapper})
file(WRITE ${CMAKE_BINARY_DIR}/packaging/CPackTime.cmake
     "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n  set(ENV{SOURCE_DATE_EPOCH} ${TRAKMIL_SOURCE_DATE_EPOCH})\nendif()\n")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/packaging/CPackTime.cmake)
include(CPack)

# Example programs; the open dialog finds them at ../share/trakmil/examples from the executable.
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/trakmil/examples)
