# Report scripts as anyone may write them: each run line by line, bounded in steps, in both kinds of report.
vestrada_fuzz(report_run_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/report_run_fuzz.cpp LIBS vestrada_report_run
              ITERATIONS 1500)
