# The native build: the simulated platform, tests, tools, benchmarks, fuzzers.
find_package(Threads REQUIRED)
file(GLOB TG_SIM_SOURCES CONFIGURE_DEPENDS src/platform/sim/*.cpp src/platform/*.cpp)
add_library(tg_platform_sim STATIC ${TG_SIM_SOURCES})
target_include_directories(tg_platform_sim PUBLIC src)
target_link_libraries(tg_platform_sim PRIVATE tg_warnings PUBLIC Threads::Threads)
# The simulated dialogs are built from the resource script the DLL ships.
target_compile_definitions(tg_platform_sim PRIVATE
  TG_RESOURCE_SCRIPT="${CMAKE_SOURCE_DIR}/src/resources/ml_tg.rc")
target_link_libraries(tg_platform INTERFACE tg_platform_sim)

# The fuzz build holds the fuzzers alone: the other presets build and run the rest.
if(TG_FUZZ)
  if(EXISTS ${CMAKE_SOURCE_DIR}/fuzz/CMakeLists.txt)
    add_subdirectory(fuzz)
  endif()
  return()
endif()

# Drives the simulated player as the system's menu loop and its user do: shared
# by the unit tests and the preview tool.
file(GLOB TG_DRIVER_SOURCES CONFIGURE_DEPENDS player/driver/*.cpp)
add_library(tg_driver STATIC ${TG_DRIVER_SOURCES})
target_include_directories(tg_driver PUBLIC . src)
target_link_libraries(tg_driver PRIVATE tg_warnings PUBLIC tg_player tg_core tg_platform_sim)

enable_testing()
# The code's structure: no include cycle, the folders of src/ in their layers,
# every C++ file as clang-format leaves it.
find_program(TG_CLANG_FORMAT clang-format)
add_test(NAME Structure.NoIncludeCycle
         COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/include-graph.sh ${CMAKE_SOURCE_DIR}/src)
add_test(NAME Structure.FoldersIncludeTheirLayersOnly
         COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-layers.sh ${CMAKE_SOURCE_DIR}/src)
add_test(NAME Structure.FormatUnchangedByClangFormat
         COMMAND ${CMAKE_COMMAND} -E env CLANG_FORMAT=${TG_CLANG_FORMAT}
                 bash ${CMAKE_SOURCE_DIR}/scripts/check-format.sh ${CMAKE_SOURCE_DIR})
add_subdirectory(tests/unit)
add_subdirectory(tools/gen_library)
add_subdirectory(tools/menu_cases)
add_subdirectory(tools/preview)
add_subdirectory(tests/preview)
if(TG_BENCH AND EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
