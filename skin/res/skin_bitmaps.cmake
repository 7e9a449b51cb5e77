# Draws the style bitmaps at build time and embeds them into quillon_skin_look under :/skin/: each at
# its size as <NAME>.ready (stored ready to draw) and at twice the density as <NAME>@2x.png.
# Included from skin/CMakeLists.txt after quillon_skin_look is defined; the generator target
# (quillon_skinbitmaps) lives in tools/skinbitmaps.
set(skin_bitmaps_dir ${CMAKE_CURRENT_BINARY_DIR}/res/bitmaps)
set(skin_bitmaps_qrc ${skin_bitmaps_dir}/skin_bitmaps.qrc)
set(skin_ready_bitmaps_qrc ${skin_bitmaps_dir}/skin_ready_bitmaps.qrc)

# The generator writes the bitmap files and both resource lists in one run; the lists are the
# outputs that stand for all of them.
add_custom_command(
  OUTPUT ${skin_bitmaps_qrc} ${skin_ready_bitmaps_qrc}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:quillon_skinbitmaps> ${skin_bitmaps_dir}
  DEPENDS quillon_skinbitmaps
  COMMENT "Drawing the skin bitmaps"
  VERBATIM)

# Uncompressed, so that the ready bitmaps are drawn where they lie in the executable.
foreach(resource skin_bitmaps skin_ready_bitmaps)
  set(resource_cpp ${CMAKE_CURRENT_BINARY_DIR}/res/qrc_${resource}.cpp)
  add_custom_command(
    OUTPUT ${resource_cpp}
    COMMAND $<TARGET_FILE:Qt6::rcc> --name ${resource} --no-compress -o ${resource_cpp} ${skin_bitmaps_dir}/${resource}.qrc
    DEPENDS ${skin_bitmaps_dir}/${resource}.qrc Qt6::rcc
    COMMENT "Embedding ${resource}"
    VERBATIM)
  set_source_files_properties(${resource_cpp} PROPERTIES GENERATED TRUE SKIP_AUTOGEN ON)
  target_sources(quillon_skin_look PRIVATE ${resource_cpp})
endforeach()
