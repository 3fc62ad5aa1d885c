# Test tunes made at build time: sine tones from sox (undithered, so that every
# build makes the same files), LAME-encoded at 44.1 kHz and 64 kbps like the
# demo's tune unless told otherwise. A tone of 441 Hz repeats every 100 samples,
# so a tune of whole seconds loops onto itself without a seam of its own.
#   snowgig_add_test_tune(NAME n SECONDS s CHANNELS c [HERTZ f] [RATE r] [KBPS b])
# gives ${CMAKE_CURRENT_BINARY_DIR}/n.mp3 and n.wav, and the target test_tune_n.
find_program(SNOWGIG_SOX sox REQUIRED)
find_program(SNOWGIG_LAME lame REQUIRED)

function(snowgig_add_test_tune)
  cmake_parse_arguments(T "" "NAME;SECONDS;CHANNELS;HERTZ;RATE;KBPS" "" ${ARGN})
  if(NOT T_HERTZ)
    set(T_HERTZ 441)
  endif()
  if(NOT T_RATE)
    set(T_RATE 44100)
  endif()
  if(NOT T_KBPS)
    set(T_KBPS 64)
  endif()
  set(wav ${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.wav)
  set(mp3 ${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.mp3)
  if(T_CHANNELS EQUAL 1)
    set(mode -m m)
  else()
    set(mode -m j)
  endif()
  add_custom_command(OUTPUT ${wav} ${mp3}
    COMMAND ${SNOWGIG_SOX} -D -n -r ${T_RATE} -c ${T_CHANNELS} -b 16 ${wav}
            synth ${T_SECONDS} sine ${T_HERTZ} vol 0.5
    COMMAND ${SNOWGIG_LAME} --quiet -b ${T_KBPS} ${mode} --resample ${T_RATE} ${wav} ${mp3}
    COMMENT "Test tune ${T_NAME}.mp3"
    VERBATIM)
  add_custom_target(test_tune_${T_NAME} DEPENDS ${wav} ${mp3})
endfunction()

# What mpg123 makes of a test tune (it trims the encoder's delay and padding
# too): ${CMAKE_CURRENT_BINARY_DIR}/n.mpg123.raw, made by the target
# test_tune_n_reference.
#   snowgig_add_mpg123_reference(n)
find_program(SNOWGIG_MPG123 mpg123 REQUIRED)
function(snowgig_add_mpg123_reference name)
  set(mp3 ${CMAKE_CURRENT_BINARY_DIR}/${name}.mp3)
  set(raw ${CMAKE_CURRENT_BINARY_DIR}/${name}.mpg123.raw)
  add_custom_command(OUTPUT ${raw}
    COMMAND ${SNOWGIG_MPG123} -q -s ${mp3} > ${raw}
    DEPENDS ${mp3})
  add_custom_target(test_tune_${name}_reference DEPENDS ${raw})
endfunction()

# The demo's own tune, copied from `mp3` (made by the target `maker`), beside
# mpg123's decode of it: ${CMAKE_CURRENT_BINARY_DIR}/gimme_64k.mp3 and
# gimme_64k.mpg123.raw, made by the target demo_tune_reference.
#   snowgig_add_demo_tune_reference(mp3 [maker])
function(snowgig_add_demo_tune_reference mp3)
  set(tune ${CMAKE_CURRENT_BINARY_DIR}/gimme_64k)
  add_custom_command(OUTPUT ${tune}.mp3 ${tune}.mpg123.raw
    COMMAND ${CMAKE_COMMAND} -E copy ${mp3} ${tune}.mp3
    COMMAND ${SNOWGIG_MPG123} -q -s ${tune}.mp3 > ${tune}.mpg123.raw
    DEPENDS ${mp3})
  add_custom_target(demo_tune_reference DEPENDS ${tune}.mpg123.raw)
  if(ARGC GREATER 1)
    add_dependencies(demo_tune_reference ${ARGV1})
  endif()
endfunction()
