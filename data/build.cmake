# snowgig.dat, made from the sources in this folder (native tree only):
#   art/*.py   -> the pictures (tools/artwork/render_art.py, TGA files)
#   tune/*.py  -> the tune (tools/tunemaker/make_tune.py: fluidsynth, csound, lv2apply, sox, lame)
#   art/icon.py -> the program's icon (tools/artwork/make_icon.py: PNGs, .ico)
# then packed in the program's load order by packwriter. Next to the pack: a
# contact sheet of every picture and a preview of the assembled scene.
set(SNOWGIG_PREBUILT_PACK "" CACHE FILEPATH
    "Use this snowgig.dat (and the tune beside it) instead of building the data again")

if(NOT WIN32 AND SNOWGIG_PREBUILT_PACK)
  # A second native tree (the sanitizer build) takes the first tree's data.
  get_filename_component(prebuilt_dir ${SNOWGIG_PREBUILT_PACK} DIRECTORY)
  set(data_out ${CMAKE_BINARY_DIR}/data)
  add_custom_command(
    OUTPUT ${data_out}/snowgig.dat ${data_out}/gimme_64k.mp3
    COMMAND ${CMAKE_COMMAND} -E make_directory ${data_out}
    COMMAND ${CMAKE_COMMAND} -E copy ${SNOWGIG_PREBUILT_PACK} ${prebuilt_dir}/gimme_64k.mp3 ${data_out}
    DEPENDS ${SNOWGIG_PREBUILT_PACK}
    COMMENT "Taking snowgig.dat from ${prebuilt_dir}"
    VERBATIM)
  add_custom_target(snowgig_data ALL DEPENDS ${data_out}/snowgig.dat ${data_out}/gimme_64k.mp3)
  set(SNOWGIG_DATA_PACK ${data_out}/snowgig.dat CACHE INTERNAL "snowgig.dat built from data/")
  set(SNOWGIG_DATA_PYTHON /usr/bin/python3 CACHE FILEPATH "Python 3 for the data tools")
elseif(NOT WIN32)
  set(SNOWGIG_DATA_PYTHON /usr/bin/python3 CACHE FILEPATH
      "Python 3 with Debian's python3-cairo, for the data tools")
  set(SNOWGIG_TUNE_SOUNDFONT /usr/share/sounds/sf3/MuseScore_General_Full.sf3 CACHE FILEPATH
      "General MIDI sound font that renders the tune (Debian package musescore-general-soundfont)")
  execute_process(COMMAND ${SNOWGIG_DATA_PYTHON} -c "import cairo"
                  RESULT_VARIABLE cairo_missing OUTPUT_QUIET ERROR_QUIET)
  if(cairo_missing OR NOT EXISTS ${SNOWGIG_TUNE_SOUNDFONT})
    message(WARNING "snowgig.dat is not built: it needs ${SNOWGIG_DATA_PYTHON} with cairo "
                    "(Debian package python3-cairo) and ${SNOWGIG_TUNE_SOUNDFONT}")
    return()
  endif()

  set(data_out ${CMAKE_BINARY_DIR}/data)
  set(art_dir ${data_out}/art)
  set(art_sources logo.py balloons.py font.py santa.py car.py sky.py city.py)
  list(TRANSFORM art_sources PREPEND ${CMAKE_CURRENT_LIST_DIR}/art/)
  set(artwork ${CMAKE_SOURCE_DIR}/tools/artwork)

  # Pack order is the program's load order; the tune comes first, as it is
  # read first.
  set(image_names tdx balloons font santa santa-head hand leg car
                  tyre0 tyre1 tyre2 tyre3 sun sunray city0 city1 city2 city3 city4)
  set(images "")
  foreach(name IN LISTS image_names)
    list(APPEND images ${art_dir}/${name}.tga)
  endforeach()

  add_custom_command(
    OUTPUT ${images}
    COMMAND ${SNOWGIG_DATA_PYTHON} ${artwork}/render_art.py ${art_dir} ${art_sources}
    DEPENDS ${art_sources} ${CMAKE_CURRENT_LIST_DIR}/art/paint.py
            ${artwork}/render_art.py ${artwork}/tga.py
    COMMENT "Drawing the pictures"
    VERBATIM)

  set(tune ${data_out}/gimme_64k.mp3)
  file(GLOB tune_tools ${CMAKE_SOURCE_DIR}/tools/tunemaker/*.py)
  add_custom_command(
    OUTPUT ${tune}
    COMMAND ${SNOWGIG_DATA_PYTHON} ${CMAKE_SOURCE_DIR}/tools/tunemaker/make_tune.py
            ${CMAKE_CURRENT_LIST_DIR}/tune/gimme.py ${SNOWGIG_TUNE_SOUNDFONT} ${tune} ${data_out}/tune
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/tune/gimme.py ${tune_tools} ${SNOWGIG_TUNE_SOUNDFONT}
    COMMENT "Rendering the tune"
    VERBATIM)

  set(pack ${data_out}/snowgig.dat)
  add_custom_command(
    OUTPUT ${pack}
    COMMAND packwriter ${pack} ${tune} ${images}
    DEPENDS packwriter ${tune} ${images}
    COMMENT "Packing snowgig.dat"
    VERBATIM)

  set(sheet ${data_out}/contact-sheet.png)
  set(preview ${data_out}/scene-preview.png)
  add_custom_command(
    OUTPUT ${sheet}
    COMMAND ${SNOWGIG_DATA_PYTHON} ${artwork}/contact_sheet.py ${sheet} ${images}
    DEPENDS ${images} ${artwork}/contact_sheet.py ${artwork}/tga.py
    COMMENT "Contact sheet of the pictures"
    VERBATIM)
  add_custom_command(
    OUTPUT ${preview}
    COMMAND ${SNOWGIG_DATA_PYTHON} ${artwork}/scene_preview.py ${art_dir} ${preview}
    DEPENDS ${images} ${artwork}/scene_preview.py ${artwork}/tga.py
            ${CMAKE_CURRENT_LIST_DIR}/art/font.py
    COMMENT "Preview of the assembled scene"
    VERBATIM)

  # The program's icon, one drawing for every platform: PNGs at each size for
  # the Linux desktop and the multi-size .ico for the Windows program.
  set(icon_dir ${data_out}/icon)
  set(icon_sizes 16 24 32 48 64 128 256)
  set(icon_pngs "")
  foreach(size IN LISTS icon_sizes)
    list(APPEND icon_pngs ${icon_dir}/snowgig-${size}.png)
  endforeach()
  add_custom_command(
    OUTPUT ${icon_pngs} ${icon_dir}/snowgig.ico ${icon_dir}/icon-sheet.png
    COMMAND ${SNOWGIG_DATA_PYTHON} ${artwork}/make_icon.py ${icon_dir}
            ${CMAKE_CURRENT_LIST_DIR}/art/icon.py
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/art/icon.py ${CMAKE_CURRENT_LIST_DIR}/art/santa.py
            ${CMAKE_CURRENT_LIST_DIR}/art/paint.py ${artwork}/make_icon.py
            ${artwork}/render_art.py ${artwork}/tga.py
    COMMENT "Drawing the icon"
    VERBATIM)

  add_custom_target(snowgig_data ALL DEPENDS ${pack} ${sheet} ${preview}
                                             ${icon_pngs} ${icon_dir}/snowgig.ico)
  set(SNOWGIG_DATA_PACK ${pack} CACHE INTERNAL "snowgig.dat built from data/")
  set(SNOWGIG_DATA_ICON_DIR ${icon_dir} CACHE INTERNAL
      "the icon built from data/: snowgig-N.png and snowgig.ico")
  set(SNOWGIG_DATA_ICON_SIZES ${icon_sizes} CACHE INTERNAL "the sizes of the icon's PNGs")
endif()
