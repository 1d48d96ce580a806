# One interface target carries the language standard, the warnings and the
# sanitizer switches for every target of the project.
add_library(tracksmith_options INTERFACE)
target_compile_features(tracksmith_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(tracksmith_options INTERFACE
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Wold-style-cast
    -Wshadow -Wformat=2)
  if(TRACKSMITH_WERROR)
    target_compile_options(tracksmith_options INTERFACE -Werror)
  endif()
  if(TRACKSMITH_SANITIZE)
    target_compile_options(tracksmith_options INTERFACE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(tracksmith_options INTERFACE -fsanitize=address,undefined)
  endif()
elseif(MSVC)
  target_compile_options(tracksmith_options INTERFACE /W4 /permissive-)
  if(TRACKSMITH_WERROR)
    target_compile_options(tracksmith_options INTERFACE /WX)
  endif()
endif()
