# engine_fuzz: damaged and cut database files, opened and walked read-only through every table, index and
# long text; and the same input as a script of changes to a fresh database. The engine's consistency checks
# (block cache, index trees) run along both. The seeds are small databases that engine_fuzz_seeds writes at
# build time.
add_executable(engine_fuzz_seeds ${CMAKE_CURRENT_LIST_DIR}/engine_fuzz_seeds.cpp)
target_link_libraries(engine_fuzz_seeds PRIVATE tolvane_engine)
set(engine_fuzz_seed_dir ${CMAKE_CURRENT_BINARY_DIR}/engine-fuzz-seeds)
add_custom_command(OUTPUT ${engine_fuzz_seed_dir}/small.vdb
  COMMAND engine_fuzz_seeds ${engine_fuzz_seed_dir}
  DEPENDS engine_fuzz_seeds
  VERBATIM)
add_custom_target(engine_fuzz_seed_files ALL DEPENDS ${engine_fuzz_seed_dir}/small.vdb)

vestrada_fuzz(engine_fuzz SOURCE ${CMAKE_CURRENT_LIST_DIR}/engine_fuzz.cpp LIBS tolvane_engine
              SEEDS ${engine_fuzz_seed_dir} ITERATIONS 1500)
add_dependencies(engine_fuzz engine_fuzz_seed_files)
