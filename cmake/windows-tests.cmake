# The cross build's tests: GoogleTest from Debian's source package, the plain libraries' suites,
# and Wine to run them in a prefix of this build directory's own.
set(TINTWISE_GTEST_SOURCE /usr/src/googletest/googletest
    CACHE PATH "GoogleTest's sources (Debian package googletest)")
set(INSTALL_GTEST OFF)
add_subdirectory(${TINTWISE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

find_program(TINTWISE_WINE wine REQUIRED)
set(TINTWISE_WINE_RUN ${TINTWISE_SOURCE_ROOT}/cmake/wine-run)
set(TINTWISE_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TINTWISE_WINE_RUN} ${TINTWISE_WINE_PREFIX})
endif()

# A fresh prefix takes Wine many seconds to set up, so it is made once, by the build, and every
# test run reuses it. Tests are listed when CTest starts, once the prefix is surely there.
add_custom_command(
    OUTPUT ${TINTWISE_WINE_PREFIX}/.ready
    COMMAND ${TINTWISE_WINE_RUN} --init ${TINTWISE_WINE_PREFIX}
    COMMENT "Setting up the Wine prefix"
    VERBATIM)
add_custom_target(wine_prefix ALL DEPENDS ${TINTWISE_WINE_PREFIX}/.ready)
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

foreach(dir engine records registry win32)
    add_subdirectory(${dir})
endforeach()
