# The window framework. The pure parts (mode filter, error message text) build
# in every tree on their own, for the tests.
add_library(snowgig_window_core STATIC errormessage.cpp modefilter.cpp screensizes.cpp)
target_include_directories(snowgig_window_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

# GLWindow's shared part: the object's life, the main loop and frame timer, the
# Setup dialog's mode list and choice, the error boxes. Each platform builds it
# into its snowgig_window beside its own part (windowsystem.h is the seam).
set(SNOWGIG_WINDOW_SHARED_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/glwindow.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/setupchoice.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/reporterror.cpp
  CACHE INTERNAL "GLWindow's shared sources")

# glwindow.h includes the platform's windowhandles.h, found through this target.
add_library(snowgig_window_api INTERFACE)
target_include_directories(snowgig_window_api INTERFACE
  ${CMAKE_CURRENT_SOURCE_DIR}/${SNOWGIG_PLATFORM_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
