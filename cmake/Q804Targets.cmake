# Flags for the project's own targets. Third-party code (GoogleTest, Qt headers) is not
# held to -Werror.
function(q804_target_flags target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion -Wnon-virtual-dtor
                                             -Wold-style-cast -Werror)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        # g++ 12 reports false overlaps inside std::string at -O2 and above (GCC bug 105651).
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(Q804_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=${Q804_SANITIZE}
                                                 -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=all)
        target_link_options(${target} PRIVATE -fsanitize=${Q804_SANITIZE})
    endif()
    if(Q804_BUILD_FUZZERS)
        # Coverage for the fuzzers reaches into every library they link.
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
endfunction()

# A core library: standard C++ only, never Qt.
function(q804_core_library target)
    add_library(${target} STATIC ${ARGN})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    q804_target_flags(${target})
endfunction()

# A GoogleTest executable registered with CTest. LABELS lets CI pick the core tests for the
# sanitizer builds.
function(q804_test target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    q804_target_flags(${target})
    target_compile_definitions(${target} PRIVATE
        Q804_SOURCE_DIR="${PROJECT_SOURCE_DIR}" Q804_RUNTIME_DIR="${Q804_RUNTIME_DIR}")
    include(GoogleTest)
    # Discovered tests take a single label; "ctest -L" matches by regular expression, so
    # "core-threaded" is selected by both "-L core" and "-L threaded".
    list(JOIN ARG_LABELS "-" labels)
    gtest_discover_tests(${target} PROPERTIES LABELS "${labels}" DISCOVERY_TIMEOUT 60)
endfunction()
