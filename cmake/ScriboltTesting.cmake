# scribolt_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>] [LABELS <labels...>])
# One QtTest executable per unit; widget tests run on the offscreen platform
# with a fixed locale so that texts and number formats are predictable.
function(scribolt_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;SCRIBOLT_BIN_DIR=${CMAKE_BINARY_DIR}/bin;SCRIBOLT_SOURCE_DIR=${CMAKE_SOURCE_DIR};TSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/tsan.supp:die_after_fork=0")
endfunction()
