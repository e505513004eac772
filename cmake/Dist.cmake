# `dist`: stages the program folder as a user gets it: the program, its DLLs, the translation tool, the
# language files, the report types and the demonstration family (Demo\\Kennedy.ged with its licence).
set(VESTRADA_DIST ${CMAKE_SOURCE_DIR}/dist)
add_custom_target(dist
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VESTRADA_DIST}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VESTRADA_DIST}/Report
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VESTRADA_DIST}/Demo
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/demo/Kennedy.ged ${CMAKE_SOURCE_DIR}/demo/LICENSE.txt
          ${VESTRADA_DIST}/Demo
  COMMAND ${CMAKE_COMMAND} -E copy
          $<TARGET_FILE:Vestrada> $<TARGET_FILE:Tolvane> $<TARGET_FILE:Wexmor20> $<TARGET_FILE:Pendrax>
          $<TARGET_FILE:langtool> $<TARGET_FILE:QGRID> ${VESTRADA_SCILEXER}
          ${VESTRADA_DIST}
  COMMAND ${CMAKE_COMMAND} -DFROM=${CMAKE_SOURCE_DIR}/lang -DTO=${VESTRADA_DIST} -DPATTERN=*.lan
          -P ${CMAKE_SOURCE_DIR}/cmake/CopyMatching.cmake
  COMMAND ${CMAKE_COMMAND} -DFROM=${CMAKE_SOURCE_DIR}/Report -DTO=${VESTRADA_DIST}/Report -DPATTERN=*.rpt
          -P ${CMAKE_SOURCE_DIR}/cmake/CopyMatching.cmake
  DEPENDS Vestrada Tolvane Wexmor20 Pendrax langtool QGRID
  COMMENT "Staging the program folder in ${VESTRADA_DIST}"
  VERBATIM)
