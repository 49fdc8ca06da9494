# vt_add_tests(NAME <name> LABEL <label> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable; each test case becomes a CTest test labelled with its module.
function(vt_add_tests)
  cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${T_NAME} PRIVATE
    VT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VT_BINARY_DIR="${PROJECT_BINARY_DIR}"
    VT_SHARED_DATA_DIR="${PROJECT_SOURCE_DIR}/../shared/data")
  gtest_discover_tests(${T_NAME}
    PROPERTIES LABELS ${T_LABEL}
    DISCOVERY_TIMEOUT 120)
endfunction()
