# The show: scene state and timeline, frame rendering, bitmap font, demo texts
# and the demo's random generator.
add_library(snowgig_show STATIC
  scene.cpp
  render.cpp
  bitmapfont.cpp
  demotexts.cpp
  random.cpp
  glstate.cpp)
target_include_directories(snowgig_show PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(snowgig_show PUBLIC snowgig_gl snowgig_globals snowgig_window_api)
if(WIN32)
  # With these two defined, the system's GL header does not pull in <windows.h>.
  target_compile_definitions(snowgig_show PRIVATE
    "WINGDIAPI=__declspec(dllimport)" APIENTRY=__stdcall)
endif()
