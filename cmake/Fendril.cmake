# Helpers so that every library, program and test is declared the same way.

function(fendril_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
    if(FENDRIL_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()

# fendril_library(NAME SOURCES ... [DEPENDS ...])
# A layer of the core: a static library, includes relative to src/, no Qt.
function(fendril_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(fendril_${name} STATIC ${ARG_SOURCES})
  add_library(fendril::${name} ALIAS fendril_${name})
  target_include_directories(fendril_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(fendril_${name} PUBLIC ${ARG_DEPENDS})
  fendril_warnings(fendril_${name})
endfunction()

# fendril_test(NAME SOURCES ... DEPENDS ...)
# A GoogleTest executable whose tests are registered one by one with ctest.
function(fendril_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} fendril::testsupport GTest::gtest_main)
  fendril_warnings(${name})
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       DISCOVERY_TIMEOUT 30)
endfunction()

# fendril_ui_test(NAME SOURCE [DEPENDS ...])
# A QtTest program driving the real windows on Qt's offscreen platform. Window tests share
# tests/ui/AmbienteUi.h and link the whole desktop program.
function(fendril_ui_test name source)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  find_package(Qt6 REQUIRED COMPONENTS Test)
  add_executable(${name} ${source})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}
                                             ${PROJECT_SOURCE_DIR}/tests/ui)
  target_link_libraries(${name} PRIVATE fendril::desktop fendril::testsupport Qt6::Test
                                        ${ARG_DEPENDS})
  fendril_warnings(${name})
  add_test(NAME ui.${name} COMMAND ${name})
  set_tests_properties(ui.${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                                             TIMEOUT 120)
endfunction()
