# The demo's tune: read from the pack and played through fmod.dll (or, in the
# native tree, through whatever FSOUND calls the test links).
add_library(snowgig_music STATIC music.cpp)
target_include_directories(snowgig_music PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
if(WIN32)
  target_link_libraries(snowgig_music PUBLIC fmod)
endif()
