# The pack reader, where the pack is looked for, and the TGA textures.
add_library(snowgig_assets STATIC pack.cpp packsearch.cpp tgadecoder.cpp texture.cpp)
target_include_directories(snowgig_assets PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(snowgig_assets PUBLIC snowgig_gl)
