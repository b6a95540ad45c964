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

# qb_ui_library(NAME SOURCES ... DEPS ...)
#   A static library of the widget layer for the folder src/ui/NAME, e.g. "list" gives qbui_list.
#   DEPS names the widget libraries below it (and any further libraries); every one links the
#   whole core and Qt Widgets. A folder without sources yet gives an interface library, so that
#   the layering is declared before the first window arrives. qb_finish_ui() gathers them all
#   into `qbui`.
function(qb_ui_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    set(target qbui_${name})
    if(ARG_SOURCES)
        add_library(${target} STATIC ${ARG_SOURCES})
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${target} PUBLIC qbcore Qt6::Widgets ${ARG_DEPS})
    else()
        add_library(${target} INTERFACE)
        target_link_libraries(${target} INTERFACE qbcore Qt6::Widgets ${ARG_DEPS})
    endif()
    set_property(GLOBAL APPEND PROPERTY QB_UI_LIBS ${target})
endfunction()

function(qb_finish_ui)
    get_property(libs GLOBAL PROPERTY QB_UI_LIBS)
    add_library(qbui INTERFACE)
    target_link_libraries(qbui INTERFACE ${libs})
endfunction()
