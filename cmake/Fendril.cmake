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
# A layer of the core: a static library, includes relative to src/, no Qt (the check at the
# end of configuring refuses one that links Qt, directly or through another library).
function(fendril_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(fendril_${name} STATIC ${ARG_SOURCES})
  add_library(fendril::${name} ALIAS fendril_${name})
  target_include_directories(fendril_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(fendril_${name} PUBLIC ${ARG_DEPENDS})
  fendril_warnings(fendril_${name})
  set_property(GLOBAL APPEND PROPERTY FENDRIL_CORE_LIBRARIES fendril_${name})
endfunction()

# fendril_qt_library(NAME SOURCES ... [DEPENDS ...])
# A library of the desktop program, one per folder: a static library of Qt Widgets windows
# with moc, includes relative to src/.
function(fendril_qt_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  add_library(fendril_${name} STATIC ${ARG_SOURCES})
  add_library(fendril::${name} ALIAS fendril_${name})
  set_target_properties(fendril_${name} PROPERTIES AUTOMOC ON)
  target_include_directories(fendril_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(fendril_${name} PUBLIC ${ARG_DEPENDS} Qt6::Widgets)
  fendril_warnings(fendril_${name})
endfunction()

# Fails the configuration when a core library links Qt: a Qt target, a Qt library file, or
# any library that does, followed through aliases and link interfaces.
function(fendril_check_core_without_qt)
  get_property(core GLOBAL PROPERTY FENDRIL_CORE_LIBRARIES)
  foreach(library IN LISTS core)
    set(pending ${library})
    set(seen "")
    set(path_${library} "${library}")
    while(pending)
      list(POP_FRONT pending current)
      if(current IN_LIST seen)
        continue()
      endif()
      list(APPEND seen "${current}")
      if(current MATCHES "(^|::|/|:)(lib)?Qt[0-9]*(::|Core|Gui|Widgets)")
        message(FATAL_ERROR "The core library ${library} links Qt (${path_${current}}); "
                            "the core must build without Qt.")
      endif()
      if(NOT TARGET "${current}")
        continue()
      endif()
      get_target_property(aliased "${current}" ALIASED_TARGET)
      set(links "")
      if(aliased)
        list(APPEND links "${aliased}")
      else()
        foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
          get_target_property(values "${current}" ${property})
          if(values)
            list(APPEND links ${values})
          endif()
        endforeach()
      endif()
      foreach(link IN LISTS links)
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
        if(NOT DEFINED path_${link})
          set(path_${link} "${path_${current}} -> ${link}")
        endif()
        list(APPEND pending "${link}")
      endforeach()
    endwhile()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL fendril_check_core_without_qt)

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
  target_link_libraries(${name} PRIVATE fendril::ui fendril::testsupport Qt6::Test
                                        ${ARG_DEPENDS})
  fendril_warnings(${name})
  add_test(NAME ui.${name} COMMAND ${name})
  set_tests_properties(ui.${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                                             TIMEOUT 120)
endfunction()
