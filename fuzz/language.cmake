# The language-file loader reads whatever file the user picks.
vestrada_fuzz(language_table_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/language_table_fuzz.cpp LIBS vestrada_language
              SEEDS ${CMAKE_SOURCE_DIR}/lang/English.lan)
