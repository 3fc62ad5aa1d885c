# The demo's tune: read from the pack and played through the platform's sound
# library (fmod.dll on Windows), or through whatever FSOUND calls a test links.
add_library(snowgig_music STATIC music.cpp)
target_include_directories(snowgig_music PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
if(WIN32)
  target_link_libraries(snowgig_music PUBLIC fmod)
endif()
