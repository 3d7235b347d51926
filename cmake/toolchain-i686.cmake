# The release: 32-bit Windows.
set(CFW_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
# Its programs run here under Wine's 32-bit loader, itself run by qemu.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
