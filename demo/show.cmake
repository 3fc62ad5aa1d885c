# The show: scene state and timeline, frame rendering, bitmap font, demo texts
# and the demo's random generator.
# It reads GLWindow's size and keys: one build per platform (snowgig_show,
# snowgig_show_headless).
foreach(platform IN LISTS SNOWGIG_PLATFORMS)
  snowgig_platform_target(show snowgig_show ${platform})
  snowgig_platform_target(api snowgig_window_api ${platform})
  add_library(${show} STATIC
    scene.cpp
    render.cpp
    bitmapfont.cpp
    demotexts.cpp
    random.cpp
    glstate.cpp)
  target_include_directories(${show} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${show} PUBLIC snowgig_gl snowgig_globals ${api})
  if(WIN32)
    # With these two defined, the system's GL header does not pull in <windows.h>.
    target_compile_definitions(${show} PRIVATE
      "WINGDIAPI=__declspec(dllimport)" APIENTRY=__stdcall)
  endif()
endforeach()
