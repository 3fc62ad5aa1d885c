# The extension loader. Its core reaches the platform only through the function
# pointers of ExtensionPlatform, so it builds and is tested natively too; the
# Windows tree adds the WGL platform and initExtensions.
add_library(snowgig_extensions_core STATIC
  extensionsearch.cpp glversion.cpp extensiontables.cpp glextensions.cpp)
target_include_directories(snowgig_extensions_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

if(WIN32)
  add_library(snowgig_extensions STATIC wglextensionplatform.cpp)
  target_link_libraries(snowgig_extensions PUBLIC snowgig_extensions_core opengl32)
endif()
