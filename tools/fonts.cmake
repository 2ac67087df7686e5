# The four game fonts. Each row: the name the game loads, the Debian package, the file in it, and the
# face's part in the game. All four licences (Bitstream Vera, Apache 2.0, SIL OFL 1.1) allow shipping
# the unmodified file under another file name.
set(GLIMMET_FONT_ROWS
  "SVBasicManual|fonts-dejavu-core|/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf|DejaVu Sans, the plain text face on small displays"
  "November|fonts-roboto-unhinted|/usr/share/fonts/truetype/roboto/unhinted/RobotoCondensed-Regular.ttf|Roboto Condensed, the plain text face on large displays"
  "Blue Highway|fonts-league-spartan|/usr/share/fonts/opentype/league-spartan/LeagueSpartan-Bold.otf|League Spartan Bold, the display face for titles"
  "Acknowledge TT BRK|fonts-sixtyfour|/usr/share/fonts/truetype/sixtyfour/C-64-Regular.ttf|Sixtyfour, the square pixel face")

set(GLIMMET_LICENCE_FILES)
foreach(row IN LISTS GLIMMET_FONT_ROWS)
  string(REPLACE "|" ";" parts "${row}")
  list(GET parts 0 name)
  list(GET parts 1 package)
  list(GET parts 2 source)
  list(GET parts 3 face)
  set(copyright /usr/share/doc/${package}/copyright)
  if(NOT EXISTS ${source} OR NOT EXISTS ${copyright})
    message(WARNING "Font ${source} of package ${package} is missing: install ${package} (./run does).")
    continue()
  endif()
  set(font ${GLIMMET_COMMON}/${name}.ttf)
  set(licence "${GLIMMET_COMMON}/${name} licence.txt")
  add_custom_command(
    OUTPUT ${font} ${licence}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GLIMMET_COMMON}
    COMMAND ${CMAKE_COMMAND} "-DSOURCE=${source}" "-DFONT=${font}" "-DLICENCE=${licence}"
            "-DPACKAGE=${package}" "-DCOPYRIGHT=${copyright}" "-DFACE=${face}" "-DNAME=${name}.ttf"
            -P ${CMAKE_CURRENT_SOURCE_DIR}/copy_font.cmake
    DEPENDS ${source} ${copyright} ${CMAKE_CURRENT_SOURCE_DIR}/copy_font.cmake
    COMMENT "Copying the font ${name}.ttf"
    VERBATIM)
  list(APPEND GLIMMET_DATA_FILES ${font} ${licence})
  list(APPEND GLIMMET_LICENCE_FILES ${licence})
endforeach()

set(GLIMMET_CREDITS ${GLIMMET_COMMON}/credits.txt)
add_custom_command(
  OUTPUT ${GLIMMET_CREDITS}
  COMMAND ${CMAKE_COMMAND} "-DOUT=${GLIMMET_CREDITS}" "-DPARTS=${GLIMMET_LICENCE_FILES}"
          -P ${CMAKE_CURRENT_SOURCE_DIR}/write_credits.cmake
  DEPENDS ${GLIMMET_LICENCE_FILES} ${CMAKE_CURRENT_SOURCE_DIR}/write_credits.cmake
  COMMENT "Writing the font credits"
  VERBATIM)
list(APPEND GLIMMET_DATA_FILES ${GLIMMET_CREDITS})
