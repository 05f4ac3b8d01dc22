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
  target_sources(vorlix_options INTERFACE ${CMAKE_SOURCE_DIR}/cmake/LsanSuppressions.cpp)
endif()

# vorlix_add_test(NAME name SOURCES ... LIBS ...): one GoogleTest executable, each case its own CTest test.
# Every test runs on the offscreen Qt platform, so ctest alone passes on a machine with no display.
function(vorlix_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main vorlix_options)
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "VORLIX_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
                                  ENVIRONMENT_MODIFICATION "QT_QPA_PLATFORM=set:offscreen")
endfunction()

# vorlix_add_fuzzer(NAME name SOURCES ... LIBS ... CORPUS dir): a libFuzzer target whose source defines
# LLVMFuzzerTestOneInput. Every build gets NAME_replay, a CTest test that runs the entry point over every
# file kept in CORPUS (seeds and the crashes found so far), so a fixed crash stays fixed. With
# VORLIX_FUZZ=ON (clang only) the real fuzzer NAME is built into build/fuzz as well.
option(VORLIX_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
function(vorlix_add_fuzzer)
  cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME}_replay ${F_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/FuzzReplayMain.cpp)
  set_target_properties(${F_NAME}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${F_NAME}_replay PRIVATE ${F_LIBS} vorlix_options)
  add_test(NAME ${F_NAME}_replay COMMAND ${F_NAME}_replay ${F_CORPUS})
  if(VORLIX_FUZZ)
    add_executable(${F_NAME} ${F_SOURCES})
    set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS} vorlix_options)
    file(APPEND ${CMAKE_BINARY_DIR}/fuzz/fuzzers.txt "${F_NAME} ${F_CORPUS}\n")
  endif()
endfunction()
if(VORLIX_FUZZ)
  file(REMOVE ${CMAKE_BINARY_DIR}/fuzz/fuzzers.txt)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  # The libraries the fuzzers link get coverage instrumentation too.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
