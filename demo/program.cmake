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
endif()
