# Installation: the program, its desktop entry, its AppStream metainfo, its icons in the
# hicolor theme and its manual page, so that `cmake --install <build> --prefix P` makes the
# game appear in desktop menus with its name and icon.
# Included from resources/CMakeLists.txt; the target vexoro (src/app/) is
# defined before this file is read.
include(GNUInstallDirs)

install(TARGETS vexoro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/desktop/org.example.Vexoro.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/desktop/org.example.Vexoro.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/org.example.Vexoro.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/hicolor/${size}x${size}/apps/org.example.Vexoro.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page, compressed as Debian does it (gzip -9n: no file name, no time stamp).
execute_process(COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/man/vexoro.6
    OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/vexoro.6.gz COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/man/vexoro.6)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vexoro.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
