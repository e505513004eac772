# export_bench: the GEDCOM 5.5 export of the databases imported from royal92.ged, pres2020.ged and a generated
# file of 100,000 persons, beside the leading open desktop program's command-line export of the same data
# (gramps -O NAME -e out.ged) when it is installed. Build it without sanitizers and optimised:
#   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTRADA_SANITIZE=OFF
#   cmake --build build-bench --target export_bench
#   build-bench/bench/export_bench [--gramps-large]
add_executable(export_bench ${CMAKE_CURRENT_LIST_DIR}/export_bench.cpp)
target_link_libraries(export_bench PRIVATE vestrada_exchange)
target_compile_definitions(export_bench PRIVATE VESTRADA_TESTDATA="${VESTRADA_TESTDATA}"
                           VESTRADA_ENGLISH="${CMAKE_SOURCE_DIR}/lang/English.lan")
