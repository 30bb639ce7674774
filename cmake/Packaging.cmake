# Licences that travel with every install, and the packages CPack makes:
# on Windows an NSIS installer and a portable .zip of the one static program.

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

set(CPACK_NSIS_PACKAGE_NAME Taloran)
# A 64-bit installer for a 64-bit program: it writes the 64-bit views of
# Program Files and the registry, and runs where 32-bit programs cannot.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_DISPLAY_NAME Taloran)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/assets/clock.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/assets/clock.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME Taloran.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The run-at-startup link would start a program that is gone: the uninstaller
# removes it from the Startup folder of the user who uninstalls, then goes
# back to the template's all-users context for admins. The settings (the
# target and the window's place) stay, as users expect of an uninstall.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  SetShellVarContext current
  Delete "$SMSTARTUP\Taloran.lnk"
  UserInfo::GetAccountType
  Pop $1
  StrCmp $1 "Admin" taloran_all_users
  StrCmp $1 "Power" taloran_all_users taloran_context_done
  taloran_all_users:
    SetShellVarContext all
  taloran_context_done:
]=])
if(WIN32)
    set(CPACK_GENERATOR NSIS ZIP)
endif()
include(CPack)
