# Draws the style bitmaps at build time and embeds them into quillon_skin under :/skin/<NAME>.png.
# Included from skin/CMakeLists.txt after quillon_skin is defined; the generator target
# (quillon_skinbitmaps) lives in tools/skinbitmaps.
set(skin_bitmaps_dir ${CMAKE_CURRENT_BINARY_DIR}/res/bitmaps)
set(skin_bitmaps_qrc ${skin_bitmaps_dir}/skin_bitmaps.qrc)
set(skin_bitmaps_cpp ${CMAKE_CURRENT_BINARY_DIR}/res/qrc_skin_bitmaps.cpp)

# The generator writes the PNG files and the resource list in one run; the list is the output
# that stands for all of them.
add_custom_command(
  OUTPUT ${skin_bitmaps_qrc}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:quillon_skinbitmaps> ${skin_bitmaps_dir}
  DEPENDS quillon_skinbitmaps
  COMMENT "Drawing the skin bitmaps"
  VERBATIM)

add_custom_command(
  OUTPUT ${skin_bitmaps_cpp}
  COMMAND $<TARGET_FILE:Qt6::rcc> --name skin_bitmaps --no-compress -o ${skin_bitmaps_cpp} ${skin_bitmaps_qrc}
  DEPENDS ${skin_bitmaps_qrc} Qt6::rcc
  COMMENT "Embedding the skin bitmaps"
  VERBATIM)

set_source_files_properties(${skin_bitmaps_cpp} PROPERTIES GENERATED TRUE SKIP_AUTOGEN ON)
target_sources(quillon_skin PRIVATE ${skin_bitmaps_cpp})
