# quirn_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <seconds>])
# Builds one GoogleTest binary on the shared test main and registers each of its tests
# with CTest, every test with a time-out.
function(quirn_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 60)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE quirn_test_main ${ARG_LIBS} GTest::gtest GTest::gmock)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        QUIRN_RUNTIME_DIR="${QUIRN_RUNTIME_DIR}"
        QUIRN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()

# quirn_add_fuzz_target(<name> SOURCES <files...> LIBS <targets...>)
# One fuzz target, whose sources define LLVMFuzzerTestOneInput. With QUIRN_FUZZ (clang) it is
# the libFuzzer program fuzz/fuzz_<name>; otherwise it is the test fuzz_<name>_replay, which
# feeds every file of tests/fuzz/corpus/<name>/ through the same function, so the suite keeps
# every corpus input without clang.
function(quirn_add_fuzz_target name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    if(QUIRN_FUZZ)
        add_executable(fuzz_${name} ${ARG_SOURCES})
        target_link_libraries(fuzz_${name} PRIVATE ${ARG_LIBS})
        target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
        set_target_properties(fuzz_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                      ${CMAKE_BINARY_DIR}/fuzz)
    else()
        quirn_add_test(fuzz_${name}_replay
            SOURCES ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/tests/fuzz/ReplayCorpus.cpp
            LIBS ${ARG_LIBS}
            TIMEOUT 120)
        target_compile_definitions(fuzz_${name}_replay PRIVATE
            QUIRN_FUZZ_CORPUS="${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name}")
    endif()
endfunction()
