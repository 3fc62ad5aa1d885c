# The demo's tune: read from the pack and played through the FSOUND calls of
# whatever links it: the platform's sound library (snowgig_sound, which the
# program's start-up links), or the calls a test links.
add_library(snowgig_music STATIC music.cpp)
target_include_directories(snowgig_music PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
