# Warning flags for every target of the project; TG_WERROR turns them into errors.
add_library(tg_warnings INTERFACE)
target_compile_options(tg_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align -Wunused
  -Woverloaded-virtual -Wnull-dereference -Wdouble-promotion -Wformat=2
  -Wimplicit-fallthrough -Wmisleading-indentation)
if(TG_WERROR)
  target_compile_options(tg_warnings INTERFACE -Werror)
endif()
