# Helpers shared by the folder CMake files.
#
# Each library folder compiles every .cpp below it except tests (*_test.cpp),
# fuzz targets (*_fuzz.cpp) and benchmarks, so a new file needs no CMake edit.
# Every *_test.cpp becomes its own GoogleTest program registered with CTest.

function(zarn_library name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources EXCLUDE REGEX "_test\\.cpp$|_fuzz\\.cpp$|/testdata/")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PUBLIC
      ZARN_VERSION_TEXT="${PROJECT_VERSION}"
      ZARN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} ZARN_VERSION_MINOR=${PROJECT_VERSION_MINOR}
      ZARN_VERSION_PATCH=${PROJECT_VERSION_PATCH} ZARN_VERSION_TWEAK=${PROJECT_VERSION_TWEAK}
      ZARN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endfunction()

# zarn_unit_tests(<library> [LIBS extra...]): one test program per *_test.cpp
# in the current folder tree.
function(zarn_unit_tests lib)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  foreach(test_source IN LISTS tests)
    get_filename_component(test_name ${test_source} NAME_WE)
    set(target ${lib}_${test_name})
    add_executable(${target} ${test_source})
    target_link_libraries(${target} PRIVATE ${lib} ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
                         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endforeach()
endfunction()

# zarn_fuzz_targets(<library>): with -DZARN_FUZZ=ON (clang only) every
# *_fuzz.cpp in the current folder tree becomes a libFuzzer program.
function(zarn_fuzz_targets lib)
  if(NOT ZARN_FUZZ)
    return()
  endif()
  file(GLOB_RECURSE fuzzers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_fuzz.cpp)
  foreach(fuzz_source IN LISTS fuzzers)
    get_filename_component(fuzz_name ${fuzz_source} NAME_WE)
    add_executable(${fuzz_name} ${fuzz_source})
    target_link_libraries(${fuzz_name} PRIVATE ${lib})
    target_compile_options(${fuzz_name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${fuzz_name} PRIVATE -fsanitize=fuzzer)
  endforeach()
endfunction()
