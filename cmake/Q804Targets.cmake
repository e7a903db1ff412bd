# Flags for the project's own targets. Third-party code (GoogleTest, Qt headers) is not
# held to -Werror.
function(q804_target_flags target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion -Wnon-virtual-dtor
                                             -Wold-style-cast -Werror)
    if(Q804_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=${Q804_SANITIZE}
                                                 -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=all)
        target_link_options(${target} PRIVATE -fsanitize=${Q804_SANITIZE})
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
    gtest_discover_tests(${target} PROPERTIES LABELS "${ARG_LABELS}" DISCOVERY_TIMEOUT 60)
endfunction()
