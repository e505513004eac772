# import_bench: the whole GEDCOM import (conversion and database write) of royal92.ged, pres2020.ged and
# generated files of 10,000 and 100,000 persons, persons per second beside the floor (the same rows written by
# the engine alone in one transaction) and the peak memory of each. Build it without sanitizers and optimised:
#   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTRADA_SANITIZE=OFF
#   cmake --build build-bench --target import_bench
#   build-bench/bench/import_bench
# The database of 100,000 persons takes about 132 MB of the file format's 268 MB (32,767 blocks of 8 KB): an import
# of about 200,000 such persons is the largest that fits; a larger one stops with the engine's error and keeps
# nothing. The import's one transaction writes its changed blocks to the file early in batches of 8 MB, so that the
# engine's own memory stays near 20 MB however large the file. The converter passes persons, families and
# citations through temporary files as it reads them and keeps in memory only the cross-references and the
# records a file has few of: its peak grows by about 0.1 MB per thousand persons. The resident peak of the
# database write grows with the file as well (about 0.7 MB per thousand persons): the pages of the database file
# that its reads map, which the system caches for every reader alike and takes back when it needs them. Each row
# gives the resident peak of the conversion, of the database write (natively, where the peak can be started
# afresh) and of both, and the private peak of both: the memory the import holds of its own (about 14 MB at
# 10,000 persons and 22 MB at 100,000 natively).
#   build-bench/bench/import_bench --generate 100000 big.ged   writes a generated file
#   build-bench/bench/import_bench --measure big.ged           imports one file and prints the raw figures
add_executable(import_bench ${CMAKE_CURRENT_LIST_DIR}/import_bench.cpp)
target_link_libraries(import_bench PRIVATE vestrada_exchange)
target_compile_definitions(import_bench PRIVATE VESTRADA_TESTDATA="${VESTRADA_TESTDATA}"
                           VESTRADA_ENGLISH="${CMAKE_SOURCE_DIR}/lang/English.lan")
if(VESTRADA_WINDOWS)
  target_link_libraries(import_bench PRIVATE psapi)
endif()
