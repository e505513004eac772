# engine_bench: Tolvane and SQLite side by side on the same person-shaped rows, in one process. Build it
# without sanitizers and optimised for figures that mean something:
#   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTRADA_SANITIZE=OFF
#   cmake --build build-bench --target engine_bench && build-bench/bench/engine_bench [rows] [--memory=KB]
find_package(SQLite3)
if(SQLite3_FOUND)
  add_executable(engine_bench ${CMAKE_CURRENT_LIST_DIR}/engine_bench.cpp)
  target_link_libraries(engine_bench PRIVATE tolvane_engine SQLite::SQLite3)
endif()
