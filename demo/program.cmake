# The program itself (Windows tree), and the folder that ships it: the
# executable, fmod.dll and snowgig.dat side by side.
if(WIN32)
  add_executable(snowgig WIN32
    main.cpp
    loading.cpp
    cleanup.cpp
    systemerror.cpp
    ${SNOWGIG_SETUP_RC})
  target_link_libraries(snowgig PRIVATE
    snowgig_show snowgig_music snowgig_assets snowgig_globals
    snowgig_window snowgig_extensions fmod snowgig_gl
    user32 gdi32 comctl32 winmm)

  # The shipped files are stripped, and carry no link date, so that the same
  # sources give the same bytes.
  foreach(shipped snowgig fmod)
    target_link_options(${shipped} PRIVATE -s -Wl,--no-insert-timestamp)
  endforeach()

  # The pack is built by the native tree; SNOWGIG_PACK says where it is.
  set(SNOWGIG_PACK "" CACHE FILEPATH "snowgig.dat built by the native tree")
  set(dist ${CMAKE_BINARY_DIR}/dist)
  set(dist_files $<TARGET_FILE:snowgig> $<TARGET_FILE:fmod>)
  if(SNOWGIG_PACK)
    list(APPEND dist_files ${SNOWGIG_PACK})
  endif()
  add_custom_target(dist ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dist_files} ${dist}
    DEPENDS snowgig fmod ${SNOWGIG_PACK}
    COMMENT "Shipping folder ${dist}")

  # The download: the three files and a short text in one zip, the same bytes
  # for the same sources. The build prints every size.
  if(SNOWGIG_PACK)
    find_program(SNOWGIG_PACKAGE_PYTHON NAMES python3 REQUIRED)
    set(zip ${CMAKE_BINARY_DIR}/snowgig.zip)
    set(readme ${PROJECT_SOURCE_DIR}/resources/snowgig.txt)
    add_custom_command(OUTPUT ${zip}
      COMMAND ${SNOWGIG_PACKAGE_PYTHON} ${PROJECT_SOURCE_DIR}/tools/release/package.py
              ${zip} ${dist_files} ${readme}
      DEPENDS snowgig fmod ${SNOWGIG_PACK} ${readme}
              ${PROJECT_SOURCE_DIR}/tools/release/package.py
      COMMENT "Download ${zip}"
      USES_TERMINAL)
    add_custom_target(package ALL DEPENDS ${zip})
  endif()
endif()
