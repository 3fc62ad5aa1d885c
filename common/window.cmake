# The window framework. The pure parts (mode filter, error message text) build
# in both trees; the Win32 parts only in the Windows tree.
add_library(snowgig_window_core STATIC errormessage.cpp modefilter.cpp)
target_include_directories(snowgig_window_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

# The Setup dialog template. A resource inside a static library is not pulled
# into an executable, so every program that shows the dialog lists this file
# among its own sources.
set(SNOWGIG_SETUP_RC ${PROJECT_SOURCE_DIR}/resources/setup.rc CACHE INTERNAL
    "The Setup dialog's resource script")

if(WIN32)
  add_library(snowgig_window STATIC glwindow.cpp setupdialog.cpp reporterror.cpp)
  target_include_directories(snowgig_window PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}
                             PRIVATE ${PROJECT_SOURCE_DIR}/resources)
  target_link_libraries(snowgig_window PUBLIC snowgig_window_core user32 gdi32 comctl32 opengl32)
endif()
