# The GEDCOM converter under mutated input of every character set: no crash, no hang, no sanitizer report.
set(gedcom_testdata ${VESTRADA_TESTDATA}/gedcom)
vestrada_fuzz(gedcom_fuzz
  SOURCE fuzz/gedcom_fuzz.cpp
  LIBS pendrax_core
  SEEDS ${CMAKE_SOURCE_DIR}/gedcom/tests/data
        ${gedcom_testdata}/555SAMPLE.GED ${gedcom_testdata}/555SAMPLE16BE.GED ${gedcom_testdata}/555SAMPLE16LE.GED
        ${gedcom_testdata}/REMARR.GED ${gedcom_testdata}/TGC55C.ged ${gedcom_testdata}/allged.ged
        ${gedcom_testdata}/bronte.ged ${gedcom_testdata}/shakespeare.ged
  ITERATIONS 20000)
