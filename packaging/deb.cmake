# The Debian package vexoro_<version>_<arch>.deb, made by tools/make_deb.sh with CPack's DEB
# generator from the project's install rules (resources/install.cmake) plus what Debian
# wants of a game: the program in /usr/games, the copyright file and the changelog.
# Included from the top-level CMakeLists.txt, before src/, when VEXORO_DEB is on.

# Debian's place for games; this normal variable stands before GNUInstallDirs' cache entry.
set(CMAKE_INSTALL_BINDIR games)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})

# A native package: its version is the project's, and its changelog says so.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog top LIMIT_COUNT 1)
if(NOT top MATCHES "^vexoro \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog does not start with version ${PROJECT_VERSION}")
endif()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION share/doc/vexoro)
execute_process(COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/changelog
    OUTPUT_FILE ${PROJECT_BINARY_DIR}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION share/doc/vexoro)

# The short and long descriptions come from the AppStream metadata: its summary, then each
# <p> as a paragraph and each <li> as a bullet, wrapped to fit Debian's 80 columns. CPack
# indents each line by one space and turns the empty ones into " ." separators.
file(READ ${PROJECT_SOURCE_DIR}/resources/desktop/org.example.Vexoro.metainfo.xml xml)
string(REGEX MATCH "<summary>([^<]*)</summary>" _ "${xml}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_MATCH_1}")
string(REGEX MATCH "<description>.*</description>" xml "${xml}")
string(REGEX MATCHALL "<(p|li)>[^<]*</" blocks "${xml}")
set(description "")
set(last "")
foreach(block IN LISTS blocks)
    string(REGEX MATCH "^<(p|li)>(.*)</$" _ "${block}")
    set(kind ${CMAKE_MATCH_1})
    string(STRIP "${CMAKE_MATCH_2}" text)
    string(REGEX REPLACE "[ \t\r\n]+" ";" words "${text}")
    if(last AND NOT (kind STREQUAL "li" AND last STREQUAL "li"))
        string(APPEND description "\n")
    endif()
    set(line "")
    set(next "")
    if(kind STREQUAL "li")
        set(line " * ")
        set(next "   ")
    endif()
    set(fresh TRUE)
    foreach(word IN LISTS words)
        string(LENGTH "${line} ${word}" length)
        if(NOT fresh AND length GREATER 79)
            string(APPEND description "${line}\n")
            set(line "${next}")
            set(fresh TRUE)
        endif()
        if(fresh)
            string(APPEND line "${word}")
        else()
            string(APPEND line " ${word}")
        endif()
        set(fresh FALSE)
    endforeach()
    string(APPEND description "${line}\n")
    set(last ${kind})
endforeach()
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${description}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexoro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.example.org/vexoro/")
set(CPACK_PACKAGE_CONTACT "Vexoro Maintainers <maintainers@example.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: from the libraries the program links, through dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
