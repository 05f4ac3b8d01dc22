# Compiler settings shared by every target of the project.
add_library(vorlix_options INTERFACE)
target_compile_options(vorlix_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                                -Wcast-align -Woverloaded-virtual -Wformat=2)
if(VORLIX_WERROR)
  target_compile_options(vorlix_options INTERFACE -Werror)
endif()
if(VORLIX_SANITIZE)
  target_compile_options(vorlix_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                  -fno-sanitize-recover=undefined)
  target_link_options(vorlix_options INTERFACE -fsanitize=address,undefined)
endif()

# vorlix_add_test(NAME name SOURCES ... LIBS ...): one GoogleTest executable, each case its own CTest test.
function(vorlix_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main vorlix_options)
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "VORLIX_BIN_DIR=${CMAKE_BINARY_DIR}/bin;QT_QPA_PLATFORM=offscreen")
endfunction()
