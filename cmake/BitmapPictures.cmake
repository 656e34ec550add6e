# For a Qt without its SVG module: the bundled picture theme with every drawing rendered into a
# 64-pixel PNG at build time, under the same names but for the suffix. Qt's icon loader takes a
# theme's PNG where it finds no SVG, and scales it for each size asked for.
#
#   tarnwick_bitmap_pictures(OUTPUT_VARIABLE)  -> the compiled resource's sources, named "pictures"
function(tarnwick_bitmap_pictures out)
  set(source ${PROJECT_SOURCE_DIR}/src/ui/pictures/tarnwick)
  set(theme ${CMAKE_CURRENT_BINARY_DIR}/bitmap-pictures/tarnwick)
  file(GLOB drawings RELATIVE ${source} CONFIGURE_DEPENDS ${source}/scalable/*/*.svg)
  set(entries "")
  set(bitmaps "")
  foreach(drawing IN LISTS drawings)
    string(REGEX REPLACE "\\.svg$" ".png" bitmap ${drawing})
    get_filename_component(folder ${theme}/${bitmap} DIRECTORY)
    add_custom_command(
      OUTPUT ${theme}/${bitmap}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND tarnwick-render-icon ${source}/${drawing} ${theme}/${bitmap} 64
      DEPENDS tarnwick-render-icon ${source}/${drawing})
    list(APPEND bitmaps ${theme}/${bitmap})
    string(APPEND entries "    <file alias=\"tarnwick/${bitmap}\">${theme}/${bitmap}</file>\n")
  endforeach()
  set(qrc ${CMAKE_CURRENT_BINARY_DIR}/bitmap-pictures/pictures.qrc)
  file(CONFIGURE OUTPUT ${qrc} CONTENT "<RCC>
  <qresource prefix=\"/icons\">
    <file alias=\"tarnwick/index.theme\">${source}/index.theme</file>
    <file alias=\"tarnwick/LICENSE\">${source}/LICENSE</file>
${entries}  </qresource>
</RCC>
")
  set_source_files_properties(${qrc} PROPERTIES SKIP_AUTORCC ON)
  qt6_add_resources(compiled ${qrc} OPTIONS --name pictures)
  set(${out} ${compiled} PARENT_SCOPE)
endfunction()
