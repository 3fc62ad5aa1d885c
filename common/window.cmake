# The window framework. The pure parts (mode filter, error message text) build
# in both trees; the platform parts are in windows/ and linux/.
add_library(snowgig_window_core STATIC errormessage.cpp modefilter.cpp screensizes.cpp)
target_include_directories(snowgig_window_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

# Each platform's folder has its own glwindow.h with the same public API; the
# shared code includes "glwindow.h" and finds the one of the platform it is
# built for through this target.
add_library(snowgig_window_api INTERFACE)
target_include_directories(snowgig_window_api INTERFACE
  ${CMAKE_CURRENT_SOURCE_DIR}/${SNOWGIG_PLATFORM_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
