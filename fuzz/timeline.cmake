# timeline_fuzz: timeline files read, saved and read back.
vestrada_fuzz(timeline_fuzz SOURCE ${CMAKE_CURRENT_LIST_DIR}/timeline_fuzz.cpp LIBS vestrada_records
              ITERATIONS 1000)
