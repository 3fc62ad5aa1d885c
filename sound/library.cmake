# The MP3 stream's layout, gapless trimming and sample feed need no system call:
# they build in both trees (and are tested and fuzzed natively).
add_library(snowgig_sound_core STATIC
  mp3frame.cpp
  gaplessinfo.cpp
  mp3layout.cpp
  looptrim.cpp
  pcmsource.cpp
  pcmring.cpp)
target_include_directories(snowgig_sound_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

add_subdirectory(${SNOWGIG_PLATFORM_DIR})
