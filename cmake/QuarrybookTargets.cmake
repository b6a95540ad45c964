# Helpers that keep the per-folder CMakeLists short.
#
# qb_core_library(NAME SOURCES ... DEPS ...)
#   A static library of the core (no widgets). NAME is the subsystem, e.g. "db" gives qbcore_db.
#   The library is registered so that qb_finish_core() can gather every subsystem into `qbcore`.
function(qb_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    set(target qbcore_${name})
    add_library(${target} STATIC ${ARG_SOURCES})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/sdk/include)
    target_link_libraries(${target} PUBLIC Qt6::Core ${ARG_DEPS})
    set_property(GLOBAL APPEND PROPERTY QB_CORE_LIBS ${target})
endfunction()

function(qb_finish_core)
    get_property(libs GLOBAL PROPERTY QB_CORE_LIBS)
    add_library(qbcore INTERFACE)
    target_link_libraries(qbcore INTERFACE ${libs})
endfunction()

# qb_test(NAME SOURCES ... DEPS ...): one GoogleTest executable per test folder, run in CTest.
function(qb_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE qbtestsupport ${ARG_DEPS})
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
endfunction()
