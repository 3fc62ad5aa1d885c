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

if(WIN32)
  # The system codec and wave output, shared by fmod.dll and the Windows tests.
  add_library(snowgig_sound_system STATIC acmdecoder.cpp mp3decoding.cpp waveoutput.cpp
              wasapioutput.cpp soundoutput.cpp)
  target_link_libraries(snowgig_sound_system PUBLIC snowgig_sound_core msacm32 winmm ole32)
  set_target_properties(snowgig_sound_system PROPERTIES POSITION_INDEPENDENT_CODE ON)

  # fmod.dll with its import library; VERSION sets what FSOUND_GetVersion
  # reports (test builds report chosen versions).
  function(snowgig_add_fmod_library target version)
    add_library(${target} SHARED ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/fmod.cpp)
    target_compile_definitions(${target} PRIVATE FSOUND_BUILDING_LIBRARY
                               SNOWGIG_FSOUND_VERSION=${version}f)
    target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
    target_link_libraries(${target} PRIVATE snowgig_sound_system)
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME fmod)
  endfunction()
  snowgig_add_fmod_library(fmod 3.75)
endif()
