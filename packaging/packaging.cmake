# Installation as a desktop program, and the Debian package made from it with `cpack -G DEB`.
# Included at the end of the top-level CMakeLists, once every target exists.
include(GNUInstallDirs)

# One name ties the menu entry, its icon and the running window together.
set(SNAPFOLD_APP_ID org.wrenbottle.SnapfoldEditor)
set(SNAPFOLD_PACKAGE_CONTACT "Wrenbottle <snapfold@wrenbottle.org>"
    CACHE STRING "Maintainer named in the Debian package")

# On Wayland the compositor has no window icon to show; it looks up the menu entry named by the
# application instead, so the program has to announce the same name as the installed entry.
target_compile_definitions(snapfold_platform PRIVATE SNAPFOLD_APP_ID="${SNAPFOLD_APP_ID}")

install(TARGETS SnapfoldEditor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${SNAPFOLD_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(SNAPFOLD_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/res/icons/mainframe.svg
        DESTINATION ${SNAPFOLD_ICON_DIR}/scalable/apps RENAME ${SNAPFOLD_APP_ID}.svg)
# The same renders the program embeds, so the menu, the task bar and the window agree.
foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/res/icons/mainframe${size}.png
            DESTINATION ${SNAPFOLD_ICON_DIR}/${size}x${size}/apps RENAME ${SNAPFOLD_APP_ID}.png)
endforeach()

set(CPACK_PACKAGE_NAME snapfold-editor)
set(CPACK_PACKAGE_VENDOR Wrenbottle)
set(CPACK_PACKAGE_CONTACT "${SNAPFOLD_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for Snapfold contact picture packs")
set(CPACK_PACKAGE_DESCRIPTION "Opens, edits and saves Snapfold packs: the 25 contact pictures \
with their identifiers. Pictures are imported from bitmap files and shown in the pack's four \
greys.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from what the executable links; Qt's platform plugins are loaded at run time,
# so no linked library names them, yet without one the window cannot open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The theme index makes the desktop look in hicolor at all. Without Qt's Wayland plugin the editor
# runs through XWayland; the plugin is only suggested because it brings Qt's QML stack along.
# The extra image-format plugins let Import Image read WebP, TIFF and TGA as well.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
include(CPack)
