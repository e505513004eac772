# Warnings and sanitizers shared by every target of the tree.
add_compile_options(-Wall -Wextra -Wno-unused-parameter)
# GCC 12 warns about std::string concatenation inside libstdc++ itself (a known false positive of -Wrestrict
# when optimising); it says nothing about our code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()

if(NOT VESTRADA_WINDOWS)
  option(VESTRADA_SANITIZE "Build the native tree with AddressSanitizer and UBSan" ON)
  if(VESTRADA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
  # The libFuzzer build of scripts/fuzz (clang only): every library instrumented for coverage, the fuzz
  # targets linked with libFuzzer's own main instead of fuzz/fuzz_driver.cpp.
  option(VESTRADA_LIBFUZZER "Build the fuzz targets as libFuzzer programs (clang)" OFF)
  if(VESTRADA_LIBFUZZER)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
      message(FATAL_ERROR "VESTRADA_LIBFUZZER needs clang")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
else()
  # One self-contained program folder: no libstdc++/libgcc/winpthread DLLs to ship.
  add_link_options(-static)
endif()
