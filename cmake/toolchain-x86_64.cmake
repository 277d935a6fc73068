set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZELKOR_TRIPLE x86_64-w64-mingw32)
set(ZELKOR_EMULATOR /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-common.cmake)
