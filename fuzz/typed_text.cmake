# What the user types into date, name and place fields.
vestrada_fuzz(typed_text_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/typed_text_fuzz.cpp LIBS vestrada_core
              SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/typed_text ITERATIONS 20000)
target_compile_definitions(typed_text_fuzz PRIVATE VESTRADA_ENGLISH_LAN="${CMAKE_SOURCE_DIR}/lang/English.lan")
