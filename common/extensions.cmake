# The extension loader. Its core reaches the platform only through the function
# pointers of ExtensionPlatform, so it builds and is tested natively too; each
# platform's folder adds its entry-point lookup and initExtensions.
add_library(snowgig_extensions_core STATIC
  extensionsearch.cpp glversion.cpp extensiontables.cpp glextensions.cpp)
target_include_directories(snowgig_extensions_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
