# What ships, for each architecture: Zelkor.exe, the runtime DLLs that it and the test libraries
# share, the sample libraries, zkcheck.exe, a read-me and the SDK folder, packed by CPack into
# Zelkor-<version>-win32.zip / -win64.zip and, for the 32-bit product, the NSIS installer
# Zelkor-<version>-setup.exe. scripts/package.sh builds the release configuration and runs CPack.

zelkor_version_resource(Zelkor "Zelkor diagnostic utility")
zelkor_version_resource(zkcheck "Zelkor test-library checker")

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(ZELKOR_SDK_ARCH x86)
  set(ZELKOR_PACKAGE_ARCH win32)
else()
  set(ZELKOR_SDK_ARCH x64)
  set(ZELKOR_PACKAGE_ARCH win64)
endif()

install(TARGETS Zelkor zkcheck Modem Ravelin System RUNTIME DESTINATION . COMPONENT program)
install(FILES ${ZELKOR_RUNTIME_DLLS} DESTINATION . COMPONENT program)
# Stripping (CPACK_STRIP_FILES) reaches only the targets; the compiler's runtime DLLs come with
# debug sections too (libstdc++ is 21 MB with them, 2 MB without).
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(dll ${ZELKOR_RUNTIME_DLL_NAMES})
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${dll}\")
    endforeach()
  endif()" COMPONENT program)
configure_file(${CMAKE_CURRENT_LIST_DIR}/package/ReadMe.txt ${CMAKE_BINARY_DIR}/package/ReadMe.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/package/ReadMe.txt DESTINATION . COMPONENT program)

# The SDK: headers, example and this architecture's import library as libZelkor.a (-lZelkor).
# The packages carry the other architecture's too when package.sh names it.
install(FILES sdk/zelkor.h sdk/zelkor_pages.h sdk/zelkor_rc.h DESTINATION sdk COMPONENT sdk)
install(DIRECTORY sdk/example DESTINATION sdk COMPONENT sdk)
install(FILES $<TARGET_LINKER_FILE:Zelkor> DESTINATION sdk/lib/${ZELKOR_SDK_ARCH} RENAME libZelkor.a COMPONENT sdk)
set(ZELKOR_OTHER_IMPORT_LIBRARY "" CACHE FILEPATH "the other architecture's libZelkor.a for the SDK")
if(ZELKOR_OTHER_IMPORT_LIBRARY)
  if(ZELKOR_SDK_ARCH STREQUAL x86)
    set(other x64)
  else()
    set(other x86)
  endif()
  install(FILES ${ZELKOR_OTHER_IMPORT_LIBRARY} DESTINATION sdk/lib/${other} COMPONENT sdk)
endif()

set(CPACK_PACKAGE_NAME Zelkor)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Zelkor diagnostic wizard")
set(CPACK_PACKAGE_FILE_NAME Zelkor-${PROJECT_VERSION}-${ZELKOR_PACKAGE_ARCH})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR ZIP)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/package/CPackOptions.cmake)
configure_file(${CMAKE_CURRENT_LIST_DIR}/package/CPackOptions.cmake.in ${CPACK_PROJECT_CONFIG_FILE} @ONLY)
if(ZELKOR_SDK_ARCH STREQUAL x86)
  list(APPEND CPACK_GENERATOR NSIS)
  set(CPACK_NSIS_COMPRESSOR lzma)
else()
  # Only the 32-bit product ships an installer; the 64-bit one (cpack -G NSIS) is made for the
  # installer round trip on machines that cannot run 32-bit Wine. Its stub must be a 64-bit
  # program too: CPack's template has no setting for NSIS's Target, so it rides on the
  # compressor line, which comes before any section.
  set(CPACK_NSIS_COMPRESSOR "lzma\n  Target amd64-unicode")
endif()
# Program Files\Zelkor, a Start-menu shortcut and an uninstaller that removes what it installed
# (the log and the user's settings are not among it).
set(CPACK_PACKAGE_INSTALL_DIRECTORY Zelkor)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES Zelkor Zelkor)
set(CPACK_NSIS_DISPLAY_NAME "Zelkor ${PROJECT_VERSION}")
set(CPACK_NSIS_PACKAGE_NAME Zelkor)
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/resources/images/zelkor.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME Zelkor.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
include(CPack)
