# One library per subsystem folder, or two where a folder holds a QtCore part and a widget
# part. Sources are picked up from the folder, so adding a file needs no CMake edit; main.cpp
# files belong to executables instead.
#   marrowpad_library(name [CORE] [ONLY file...] [EXCLUDE file...] DEPS dep...)
# ONLY takes just the named files of the folder, EXCLUDE leaves the named files out (names
# relative to the folder). A named file that does not exist is skipped, so one list can serve
# as the ONLY of one library and the EXCLUDE of the other while a file is still to come. CORE
# marks a library that may use QtCore only; the layering test checks every library so marked,
# through the global property MARROWPAD_CORE_LIBRARIES.
function(marrowpad_library name)
    cmake_parse_arguments(ARG "CORE" "" "DEPS;ONLY;EXCLUDE" ${ARGN})
    if(ARG_ONLY)
        set(sources)
        foreach(f ${ARG_ONLY})
            if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${f}")
                list(APPEND sources "${CMAKE_CURRENT_SOURCE_DIR}/${f}")
            endif()
        endforeach()
    else()
        file(GLOB sources CONFIGURE_DEPENDS
            "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
        list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
        foreach(f ${ARG_EXCLUDE})
            list(REMOVE_ITEM sources "${CMAKE_CURRENT_SOURCE_DIR}/${f}")
        endforeach()
    endif()
    set(cpp ${sources})
    list(FILTER cpp INCLUDE REGEX "\\.cpp$")
    if(cpp)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(${name} INTERFACE ${sources})
        target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}")
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
    if(ARG_CORE)
        set_property(GLOBAL APPEND PROPERTY MARROWPAD_CORE_LIBRARIES ${name})
    endif()
endfunction()

# One test program per folder under tests/. Every test runs on Qt's offscreen platform.
function(marrowpad_test_folder name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    # Tests find their data and built tools through these.
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE marrowpad_testsupport ${ARG_DEPS})
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;MARROWPAD_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                   TIMEOUT 600)
endfunction()

# One benchmark program per .cpp file in a folder under bench/.
function(marrowpad_benchmarks)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    foreach(src ${sources})
        get_filename_component(stem ${src} NAME_WE)
        add_executable(bench_${stem} ${src})
        target_link_libraries(bench_${stem} PRIVATE benchmark::benchmark ${ARG_DEPS})
    endforeach()
endfunction()

# One libFuzzer program per .cpp file in a folder under fuzz/.
function(marrowpad_fuzzers)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    foreach(src ${sources})
        get_filename_component(stem ${src} NAME_WE)
        add_executable(fuzz_${stem} ${src})
        target_link_libraries(fuzz_${stem} PRIVATE ${ARG_DEPS})
        target_link_options(fuzz_${stem} PRIVATE -fsanitize=fuzzer)
    endforeach()
endfunction()
