# Cross toolchain for the 32-bit Windows build, the main product.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TG_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
