set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZELKOR_TRIPLE i686-w64-mingw32)
set(ZELKOR_EMULATOR wine)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-common.cmake)
