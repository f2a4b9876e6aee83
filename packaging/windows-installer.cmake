# The Windows installer, made with NSIS (Debian: nsis, whose makensis runs on
# Linux): both programs in "C:\Program Files\VEQ Editor\bin", the read-me and
# the licence beside bin, a Start-menu shortcut for the editor, an entry in
# Windows' list of installed apps with the version, and an uninstaller. Both
# take /S to run silently. A newer installer run over an installed version
# offers to uninstall it first (with /S, unasked), so an update is one more
# run of the installer.
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_FILE_NAME veq-editor-${PROJECT_VERSION}-windows-x64-setup)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "VEQ Editor")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "VEQ Editor")
set(CPACK_NSIS_PACKAGE_NAME "VEQ Editor")
set(CPACK_NSIS_DISPLAY_NAME "VEQ Editor")
# A 64-bit installer: it puts the 64-bit programs in the 64-bit Program Files
# and their uninstall entry in the 64-bit registry, and runs where they run.
# CPack's script takes these lines before its first section, where NSIS wants
# its target named (makensis -X would take it too, but CPack splits that
# argument at its blank).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_EXECUTABLES veq-editor "VEQ Editor")
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\veq-editor.exe")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/data/veq-editor.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/data/veq-editor.ico)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN veq-editor.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_CONTACT ${CPACK_PACKAGE_CONTACT})
# The programs are found by the shortcut and by their folder; PATH is left as
# it is (veq is run as "C:\Program Files\VEQ Editor\bin\veq" or from there).
set(CPACK_NSIS_MODIFY_PATH OFF)

# Notepad and every other Windows editor read CRLF line ends.
configure_file(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/data/README-Windows.txt README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt)
