# Script lines through the report language's evaluator and declaration statement.
vestrada_fuzz(report_expression_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/report_expression_fuzz.cpp
              LIBS vestrada_report_language ITERATIONS 20000)
