# Licences that travel with every install, and the packages CPack makes:
# on Windows a portable .zip of the one static program (the installer is
# cmake/windows/Taloran.nsi, which scripts/windows.sh builds); elsewhere a
# Debian package (scripts/package.sh).

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${TALORAN_INSTALL_DOCDIR})

# A Windows build links Qt in statically: its LGPL-3.0 text (a supplement to
# the GPL-3.0, so both) and a note of the exact Qt source go with it.
# scripts/windows.sh passes the note.
set(TALORAN_QT_SOURCE_NOTE "" CACHE FILEPATH "Note of where the statically linked Qt came from")
if(WIN32 AND NOT QT6_IS_SHARED_LIBS_BUILD)
    foreach(licence LGPL-3 GPL-3)
        if(EXISTS /usr/share/common-licenses/${licence})
            install(FILES /usr/share/common-licenses/${licence}
                    DESTINATION ${TALORAN_INSTALL_DOCDIR} RENAME QT-${licence}.txt)
        endif()
    endforeach()
    if(TALORAN_QT_SOURCE_NOTE)
        install(FILES ${TALORAN_QT_SOURCE_NOTE} DESTINATION ${TALORAN_INSTALL_DOCDIR}
                RENAME QT-SOURCE.txt)
    endif()
endif()

set(CPACK_PACKAGE_NAME Taloran)
set(CPACK_PACKAGE_VENDOR "The Taloran developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Taloran)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_FILE_NAME Taloran-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_EXECUTABLES Taloran Taloran)
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)

# The Debian package: what dpkg-shlibdeps finds the program linked against,
# plus the Wayland platform plugin for sessions without XWayland (Qt loads
# it, so no linker dependency names it). The fallback fonts are compiled in.
# TALORAN_DEBIAN adds what Debian asks of a package's documentation folder
# (/usr/share/doc/taloran): a machine-readable copyright file and a changelog.
option(TALORAN_DEBIAN "Install the Debian copyright file and changelog" OFF)
set(CPACK_DEBIAN_PACKAGE_NAME taloran)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Taloran developers <taloran@users.noreply.github.com>"
    CACHE STRING "The Debian package's Maintainer field")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TALORAN_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
# The first line of the Description field is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Taloran is a small desktop countdown widget: a borderless window that
counts down to one moment and shows the time left in weeks, days, hours,
minutes and seconds. A details dialog sets the target, and the widget can
start minimized at login, its taskbar caption showing the time left.]=])
if(TALORAN_DEBIAN AND NOT WIN32)
    set(copyright ${PROJECT_BINARY_DIR}/debian/copyright)
    file(READ ${PROJECT_SOURCE_DIR}/LICENSE mit)
    string(REGEX REPLACE "^MIT License\n\n[^\n]*\n\n" "" mit "${mit}")
    string(REGEX REPLACE "\n\n" "\n.\n" mit "${mit}")
    string(REGEX REPLACE "\n([^\n])" "\n \\1" mit "${mit}")
    string(REGEX REPLACE "^([^\n])" " \\1" mit "${mit}")
    file(WRITE ${copyright} "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Taloran
Source: ${TALORAN_HOMEPAGE}

Files: *
Copyright: 2026 The Taloran developers
License: Expat

Files: NotoSans-ExtraCondensedBlack.ttf NotoSans-Black.ttf
Comment: Compiled into the program as fallback fonts; from Debian's
 fonts-noto-extra. Their licence text is in NOTO-FONTS-LICENSE beside this
 file.
Copyright: 2012 Google Inc.
License: OFL-1.1

License: Expat
${mit}")
    set(changelog ${PROJECT_BINARY_DIR}/debian/changelog)
    string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
    file(WRITE ${changelog} "taloran (${PROJECT_VERSION}) unstable; urgency=medium

  * Release ${PROJECT_VERSION}.

 -- ${CPACK_DEBIAN_PACKAGE_MAINTAINER}  ${changelog_date}
")
    execute_process(COMMAND gzip -9nf ${changelog} COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${copyright} ${changelog}.gz DESTINATION ${TALORAN_INSTALL_DOCDIR})
endif()

if(WIN32)
    set(CPACK_GENERATOR ZIP)
else()
    set(CPACK_GENERATOR DEB)
endif()
include(CPack)
