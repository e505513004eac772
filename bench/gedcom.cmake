# GEDCOM conversion speed: royal92.ged, pres2020.ged and a generated file of 100,000 persons.
add_executable(gedcom_bench ${CMAKE_CURRENT_LIST_DIR}/gedcom_bench.cpp)
target_link_libraries(gedcom_bench PRIVATE pendrax_core)
target_compile_definitions(gedcom_bench PRIVATE VESTRADA_TESTDATA="${VESTRADA_TESTDATA}")
