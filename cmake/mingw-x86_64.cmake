# Cross toolchain for the 64-bit Windows build, for 64-bit hosts.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TG_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
