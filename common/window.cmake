# The window framework. The pure parts (mode filter, error message text) build
# in every tree on their own, for the tests.
add_library(snowgig_window_core STATIC errormessage.cpp modefilter.cpp screensizes.cpp)
target_include_directories(snowgig_window_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

# Shared sources reach a platform's build one way: as an interface library
# whose sources are compiled into whatever links it, with that target's own
# include folders (its platform's windowhandles.h).
#
# GLWindow's shared part: the object's life, the main loop and frame timer, the
# Setup dialog's mode list and choice, the error boxes. Each platform links it
# into its snowgig_window beside its own part (windowsystem.h is the seam).
add_library(snowgig_window_shared INTERFACE)
target_sources(snowgig_window_shared INTERFACE
  ${CMAKE_CURRENT_SOURCE_DIR}/glwindow.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/setupchoice.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/reporterror.cpp)

# glwindow.h includes the platform's windowhandles.h, found through this target
# (snowgig_window_api, snowgig_window_api_headless).
foreach(platform IN LISTS SNOWGIG_PLATFORMS)
  snowgig_platform_target(api snowgig_window_api ${platform})
  add_library(${api} INTERFACE)
  target_include_directories(${api} INTERFACE
    ${CMAKE_CURRENT_SOURCE_DIR}/${platform} ${CMAKE_CURRENT_SOURCE_DIR})
endforeach()
