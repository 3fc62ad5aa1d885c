# libmpg123 built from mpg123's source (Debian's source package, fetched once
# by scripts/mpg123-source.sh into SNOWGIG_MPG123_CACHE) with this tree's
# toolchain, as a static library: the target snowgig_mpg123.
#
# Only what the sound library uses is built: Layer III decoding to 16-bit
# integers from fed memory, with the same decoders (and so the same samples)
# as the system's libmpg123; no console messages, no resampling, no tags.
# Source paths inside the library are relative to mpg123's folder.
include(ExternalProject)

set(SNOWGIG_MPG123_CACHE ${PROJECT_SOURCE_DIR}/build/mpg123 CACHE PATH
    "Where mpg123's source package is downloaded to and unpacked (shared by the build trees)")
execute_process(
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/mpg123-source.sh ${SNOWGIG_MPG123_CACHE}
  OUTPUT_VARIABLE mpg123_source OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE mpg123_fetched)
if(NOT mpg123_fetched EQUAL 0 OR NOT EXISTS ${mpg123_source}/ports/cmake/CMakeLists.txt)
  message(FATAL_ERROR "mpg123's source is missing: scripts/mpg123-source.sh failed")
endif()
get_filename_component(mpg123_folder ${mpg123_source} NAME)
# Its licence text, which ships beside the library that links it in.
set(SNOWGIG_MPG123_LICENCE ${mpg123_source}/COPYING CACHE INTERNAL "mpg123's licence text")

# Under Emscripten mpg123's CMake build neither includes the module of its
# check_type_size calls nor gets usable answers from them (it reads the sizes
# from a program it cannot run): the module comes in through
# CMAKE_PROJECT_INCLUDE and the sizes of WebAssembly's 32-bit ABI are given.
set(mpg123_platform_args)
if(EMSCRIPTEN)
  set(mpg123_platform_args
    -DCMAKE_PROJECT_INCLUDE=${CMAKE_CURRENT_LIST_DIR}/mpg123-checks.cmake
    -DHAVE_SIZEOF_LONG=TRUE -DSIZEOF_LONG=4 -DHAVE_SIZEOF_OFF_T=TRUE -DSIZEOF_OFF_T=8)
endif()

set(mpg123_prefix ${CMAKE_BINARY_DIR}/mpg123)
set(mpg123_library ${mpg123_prefix}/lib/libmpg123.a)
ExternalProject_Add(snowgig_mpg123_build
  SOURCE_DIR ${mpg123_source}/ports/cmake
  BINARY_DIR ${mpg123_prefix}/build
  INSTALL_DIR ${mpg123_prefix}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    "-DCMAKE_C_FLAGS=-ffile-prefix-map=${mpg123_source}/=${mpg123_folder}/"
    -DBUILD_SHARED_LIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_LIBOUT123=OFF
    -DNO_MESSAGES=ON -DNO_ICY=ON -DNO_STRING=ON -DNO_ID3V2=ON -DNO_NTOM=ON
    -DNO_LAYER1=ON -DNO_LAYER2=ON -DNO_8BIT=ON -DNO_32BIT=ON -DNO_REAL=ON
    -DNO_EQUALIZER=ON -DNO_FEATURE_REPORT=ON
    ${mpg123_platform_args}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j 2
  BUILD_BYPRODUCTS ${mpg123_library}
  LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON)

# An imported target's include folder must exist before the build makes it.
file(MAKE_DIRECTORY ${mpg123_prefix}/include)
add_library(snowgig_mpg123 STATIC IMPORTED GLOBAL)
set_target_properties(snowgig_mpg123 PROPERTIES
  IMPORTED_LOCATION ${mpg123_library}
  INTERFACE_INCLUDE_DIRECTORIES ${mpg123_prefix}/include)
if(WIN32)
  # Its file reader's path helpers (the library reads no file of ours).
  set_target_properties(snowgig_mpg123 PROPERTIES INTERFACE_LINK_LIBRARIES shlwapi)
endif()
add_dependencies(snowgig_mpg123 snowgig_mpg123_build)
