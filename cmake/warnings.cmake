# Warning flags for every target of the project; TG_WERROR turns them into errors.
add_library(tg_warnings INTERFACE)
target_compile_options(tg_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align -Wunused
  -Woverloaded-virtual -Wdouble-promotion -Wformat=2
  -Wimplicit-fallthrough -Wmisleading-indentation)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  target_compile_options(tg_warnings INTERFACE -Wnull-dereference)
elseif(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # Optimised GCC 12 reports null dereferences and overlapping copies inside
  # std::vector and std::string code that cannot happen, so -Wnull-dereference
  # is left to clang and -Wrestrict stays a warning (still seen, not fatal).
  target_compile_options(tg_warnings INTERFACE -Wno-error=restrict)
else()
  target_compile_options(tg_warnings INTERFACE -Wnull-dereference)
endif()
if(TG_WERROR)
  target_compile_options(tg_warnings INTERFACE -Werror)
endif()
