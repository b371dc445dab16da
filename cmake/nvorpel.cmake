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

# nvorpel_folder_library(NAME LIBS ... [TEST_LIBS ...]): the *.cc files of the calling folder as the
# static library NAME (position-independent, for the plug-in module; includes from the project's
# root), linked PUBLIC to LIBS, and its *_test.cc files as the test program NAME_test.
function(nvorpel_folder_library name)
  cmake_parse_arguments(L "" "" "LIBS;TEST_LIBS" ${ARGN})
  nvorpel_folder_sources(F .)
  add_library(${name} STATIC ${F_SOURCES})
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_LIBS})
  if(F_TESTS)
    nvorpel_test(${name}_test SOURCES ${F_TESTS} LIBS ${name} ${L_TEST_LIBS})
  endif()
endfunction()
