# durvek_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [WIDGETS] [BOTH_ENGINES])
#
# BOTH_ENGINES registers the same program a second time as <name>_postgresql,
# whose club databases are on the PostgreSQL server in DURVEK_TEST_POSTGRESQL
# (./test starts one); without a server that variant is reported skipped.
# Adds one Qt Test executable and registers it with CTest. Every test runs on
# the offscreen platform so that windows can be created without a display.
# Tests may read fixtures from DURVEK_TEST_DATA and find the built tools
# (clocksim, makeclub) in DURVEK_BIN_DIR.
function(durvek_add_test)
  cmake_parse_arguments(T "WIDGETS;BOTH_ENGINES" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${T_NAME} PRIVATE
    DURVEK_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    DURVEK_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    DURVEK_BIN_DIR="${CMAKE_BINARY_DIR}")
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    # Window places a test remembers stay in the build tree, not the user's settings.
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/tests/config/${T_NAME}"
    TIMEOUT 300)
  if(T_BOTH_ENGINES)
    add_test(NAME ${T_NAME}_postgresql COMMAND ${T_NAME})
    set_tests_properties(${T_NAME}_postgresql PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/tests/config/${T_NAME}_postgresql;DURVEK_TEST_ENGINE=postgresql"
      SKIP_RETURN_CODE 77
      TIMEOUT 300)
  endif()
endfunction()
