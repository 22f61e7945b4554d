# The Windows build: ml_tg.dll, the test player and the end-to-end tests under Wine.
# Every program and the DLL land in the build folder's top, so a test program's
# LoadLibrary("ml_tg.dll") finds the DLL beside itself.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

file(GLOB TG_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp src/platform/*.cpp)
# The DLL's entry point belongs to the DLL alone, not to the programs that link the adapter.
list(FILTER TG_WIN32_SOURCES EXCLUDE REGEX "/dll_entry\\.cpp$")
add_library(tg_platform_win32 STATIC ${TG_WIN32_SOURCES})
target_include_directories(tg_platform_win32 PUBLIC src)
target_link_libraries(tg_platform_win32 PRIVATE tg_warnings PUBLIC user32 kernel32 shell32 ole32 comctl32)
target_link_libraries(tg_platform INTERFACE tg_platform_win32)

# Only Windows system DLLs may be imported: the C++ runtime, libgcc and
# winpthread go in statically.
set(TG_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

file(GLOB TG_RESOURCE_FILES CONFIGURE_DEPENDS src/resources/*.rc)
add_library(ml_tg SHARED src/plugin/ml_tg.def src/platform/win32/dll_entry.cpp ${TG_RESOURCE_FILES})
set_target_properties(ml_tg PROPERTIES PREFIX "" OUTPUT_NAME ml_tg)
target_link_libraries(ml_tg PRIVATE
  -Wl,--whole-archive tg_core -Wl,--no-whole-archive tg_warnings
  ${TG_STATIC_RUNTIME} -Wl,--kill-at $<$<CONFIG:Release>:-s>)

enable_testing()
include(cmake/windows_programs.cmake)
if(EXISTS ${CMAKE_SOURCE_DIR}/tools/tg_host/CMakeLists.txt)
  add_subdirectory(tools/tg_host)
endif()
add_subdirectory(tests/wine)
