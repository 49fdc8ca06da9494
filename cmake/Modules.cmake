# vt_add_tests(NAME <name> LABEL <label> SOURCES <files...> LIBS <targets...>
#              [OWN_MAIN] [ENVIRONMENT <VAR=value...>])
# One GoogleTest executable; each test case becomes a CTest test labelled with its module.
# OWN_MAIN: the sources bring main() (a Qt application first, say); ENVIRONMENT: set for each
# case when it runs.
function(vt_add_tests)
  cmake_parse_arguments(T "OWN_MAIN" "NAME;LABEL" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  if(NOT T_OWN_MAIN)
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${T_NAME} PRIVATE
    VT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VT_BINARY_DIR="${PROJECT_BINARY_DIR}"
    VT_SHARED_DATA_DIR="${PROJECT_SOURCE_DIR}/../shared/data")
  if(T_ENVIRONMENT)
    gtest_discover_tests(${T_NAME}
      PROPERTIES LABELS ${T_LABEL} ENVIRONMENT "${T_ENVIRONMENT}"
      DISCOVERY_TIMEOUT 120)
  else()
    gtest_discover_tests(${T_NAME}
      PROPERTIES LABELS ${T_LABEL}
      DISCOVERY_TIMEOUT 120)
  endif()
endfunction()
