# person_list_bench: the person list's state filled from a database of 100,000 persons that the benchmark
# makes, and a name search over it, beside a bare walk of the same name index through the engine (the
# floor). Build it without sanitizers and optimised:
#   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTRADA_SANITIZE=OFF
#   cmake --build build-bench --target person_list_bench
#   build-bench/bench/person_list_bench [persons]
add_executable(person_list_bench ${CMAKE_CURRENT_LIST_DIR}/person_list_bench.cpp)
target_link_libraries(person_list_bench PRIVATE vestrada_persons)
