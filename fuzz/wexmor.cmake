# Wexmor files, mutated and cut, through every import function of the Wexmor library.
vestrada_fuzz(wexmor_fuzz SOURCE ${CMAKE_SOURCE_DIR}/fuzz/wexmor_fuzz.cpp LIBS Wexmor20
              SEEDS ${CMAKE_SOURCE_DIR}/wexmor/tests/data)
