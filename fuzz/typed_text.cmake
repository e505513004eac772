# What the user types into date, name and place fields.
vestrada_fuzz(typed_text_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/typed_text_fuzz.cpp LIBS vestrada_core
              ITERATIONS 20000)
