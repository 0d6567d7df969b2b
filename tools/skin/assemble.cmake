# Fills a template SVG: @GLYPH@ becomes the content of the GLYPH file and
# @FRAME@ the frame number. Run as: cmake -DTEMPLATE=... [-DGLYPH=...]
# [-DFRAME=...] -DOUT=... -P assemble.cmake
if(DEFINED GLYPH_FILE)
  file(READ "${GLYPH_FILE}" GLYPH)
endif()
configure_file("${TEMPLATE}" "${OUT}" @ONLY)
