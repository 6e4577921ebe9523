# Installation as a desktop program, and the Debian package made from it with `cpack -G DEB`.
# Included at the end of the top-level CMakeLists, once every target exists.
include(GNUInstallDirs)

# One name ties the menu entry, its icon and the running window together.
set(SNAPFOLD_APP_ID org.wrenbottle.SnapfoldEditor)
set(SNAPFOLD_PACKAGE_CONTACT "Wrenbottle <snapfold@wrenbottle.org>"
    CACHE STRING "Maintainer named in the Debian package")

# On Wayland the compositor has no window icon to show; it looks up the menu entry named by the
# application instead, so the program has to announce the same name as the installed entry.
target_compile_definitions(snapfold_ui_qt PRIVATE SNAPFOLD_APP_ID="${SNAPFOLD_APP_ID}")

install(TARGETS SnapfoldEditor snapfold RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${SNAPFOLD_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# What software centres show about the editor; its id is the menu entry's.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${SNAPFOLD_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the change log are installed compressed, as Debian keeps them; -n leaves
# the name and time out of the gzip header, so the same sources give the same bytes.
set(SNAPFOLD_PACKAGE_NAME snapfold-editor)
function(snapfold_gzip source output)
    add_custom_command(OUTPUT ${output}
                       COMMAND gzip -9n -c ${source} > ${output}
                       DEPENDS ${source} VERBATIM)
endfunction()
set(SNAPFOLD_COMPRESSED)
foreach(page IN ITEMS snapfold.1 SnapfoldEditor.1)
    snapfold_gzip(${PROJECT_SOURCE_DIR}/man/${page} ${PROJECT_BINARY_DIR}/man/${page}.gz)
    list(APPEND SNAPFOLD_COMPRESSED ${PROJECT_BINARY_DIR}/man/${page}.gz)
    install(FILES ${PROJECT_BINARY_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
snapfold_gzip(${CMAKE_CURRENT_LIST_DIR}/changelog ${PROJECT_BINARY_DIR}/man/changelog.gz)
list(APPEND SNAPFOLD_COMPRESSED ${PROJECT_BINARY_DIR}/man/changelog.gz)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/man)
add_custom_target(snapfold_compressed_docs ALL DEPENDS ${SNAPFOLD_COMPRESSED})
set(SNAPFOLD_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${SNAPFOLD_PACKAGE_NAME})
install(FILES ${PROJECT_BINARY_DIR}/man/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${SNAPFOLD_DOC_DIR})

set(SNAPFOLD_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/res/icons/mainframe.svg
        DESTINATION ${SNAPFOLD_ICON_DIR}/scalable/apps RENAME ${SNAPFOLD_APP_ID}.svg)
# The same renders the program embeds, so the menu, the task bar and the window agree.
foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/res/icons/mainframe${size}.png
            DESTINATION ${SNAPFOLD_ICON_DIR}/${size}x${size}/apps RENAME ${SNAPFOLD_APP_ID}.png)
endforeach()

set(CPACK_PACKAGE_NAME ${SNAPFOLD_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR Wrenbottle)
set(CPACK_PACKAGE_CONTACT "${SNAPFOLD_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and command-line tool for Snapfold contact picture packs")
# CPack puts the summary on the first line itself. The lines are broken by hand: the package
# tools take them as they are, and the description must stay within 80 columns.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A Snapfold pack is a file of 25 slots, each holding a contact identifier and a
picture of 48 by 50 pixels in four greys.
.
SnapfoldEditor opens, edits and saves packs in a window: it shows every slot as
a thumbnail with its identifier, changes identifiers, takes pictures from
bitmap files or any photo, empties slots and saves the pack safely.
.
snapfold does the same on the command line for scripts: it lists, checks,
creates and changes packs, builds a whole pack from a list of photos and
exports the pictures as PNG or BMP files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A native version without a Debian revision: the change log is the program's own.
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from what the executable links; Qt's platform plugins are loaded at run time,
# so no linked library names them, yet without one the window cannot open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The theme index makes the desktop look in hicolor at all. Without Qt's Wayland plugin the editor
# runs through XWayland; the plugin is only suggested because it brings Qt's QML stack along.
# The extra image-format plugins let both programs read WebP, TIFF and TGA as well.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
include(CPack)
