# meru_add_test(NAME name SOURCES ... LIBS ...)
# One GoogleTest executable per test folder, run offscreen with the pt_BR locale.
function(meru_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE meru_testmain ${T_LIBS} GTest::gtest Qt6::Test)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=pt_BR.UTF-8;LC_ALL=pt_BR.UTF-8;TZ=America/Sao_Paulo"
    TIMEOUT 900)
endfunction()
