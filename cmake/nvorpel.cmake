# nvorpel_test(NAME SOURCES... LIBS ...): one GoogleTest executable registered with ctest,
# each test case a ctest test of its own.
function(nvorpel_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    NVORPEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    NVORPEL_SHARED_DIR="${PROJECT_SOURCE_DIR}/../shared"
    NVORPEL_NOTES_DIR="${NVORPEL_NOTES_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endfunction()

# nvorpel_folder_sources(OUT FOLDER): the *.cc files of FOLDER (relative to the calling directory)
# split into OUT_SOURCES and OUT_TESTS (the *_test.cc files).
function(nvorpel_folder_sources out folder)
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cc)
  set(srcs ${all})
  list(FILTER srcs EXCLUDE REGEX "_test\\.cc$")
  set(tests ${all})
  list(FILTER tests INCLUDE REGEX "_test\\.cc$")
  set(${out}_SOURCES ${srcs} PARENT_SCOPE)
  set(${out}_TESTS ${tests} PARENT_SCOPE)
endfunction()
