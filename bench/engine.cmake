# engine_bench: Tolvane beside SQLite (rollback journal and WAL) on the same person-shaped rows, each engine
# in a process of its own. Build it without sanitizers and optimised for figures that mean something:
#   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTRADA_SANITIZE=OFF
#   cmake --build build-bench --target engine_bench
#   build-bench/bench/engine_bench [rows] [--memory=KB] [--commits=N] [--only=tolvane]
# Where SQLite is not to be had (the Windows build) it measures Tolvane alone.
find_package(SQLite3)
add_executable(engine_bench ${CMAKE_CURRENT_LIST_DIR}/engine_bench.cpp)
target_link_libraries(engine_bench PRIVATE tolvane_engine)
if(SQLite3_FOUND)
  target_link_libraries(engine_bench PRIVATE SQLite::SQLite3)
  target_compile_definitions(engine_bench PRIVATE VESTRADA_BENCH_SQLITE)
endif()
if(VESTRADA_WINDOWS)
  target_link_libraries(engine_bench PRIVATE psapi)
endif()
