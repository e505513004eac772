# Report-type files as anyone may hand them to the program: every layout, damaged and cut.
vestrada_fuzz(report_type_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/report_type_fuzz.cpp LIBS vestrada_report_output
              ITERATIONS 3000)
# Report documents, damaged and cut, walked record by record through the reader every reader shares.
vestrada_fuzz(report_document_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/report_document_fuzz.cpp
              LIBS vestrada_report_output ITERATIONS 20000)
