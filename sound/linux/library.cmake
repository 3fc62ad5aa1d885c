# The Linux sound library: the same eight calls as fmod.dll, decoding with
# libmpg123 and playing through SDL audio. A static library the native program
# and the native tests link.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SNOWGIG_MPG123 REQUIRED IMPORTED_TARGET libmpg123)
pkg_check_modules(SNOWGIG_SDL2 REQUIRED IMPORTED_TARGET sdl2)

# The decoder and the output, also used by the tests and the benchmark.
add_library(snowgig_sound_linux_system STATIC
  ${CMAKE_CURRENT_LIST_DIR}/mpg123decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdloutput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fsoundlinux.cpp)
target_include_directories(snowgig_sound_linux_system PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(snowgig_sound_linux_system PUBLIC snowgig_sound_core
                      PkgConfig::SNOWGIG_MPG123 PkgConfig::SNOWGIG_SDL2)

add_library(snowgig_fsound_linux STATIC ${CMAKE_CURRENT_LIST_DIR}/../fsoundcalls.cpp)
target_compile_definitions(snowgig_fsound_linux PRIVATE SNOWGIG_FSOUND_VERSION=3.75f)
target_include_directories(snowgig_fsound_linux PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(snowgig_fsound_linux PUBLIC snowgig_sound_linux_system)
