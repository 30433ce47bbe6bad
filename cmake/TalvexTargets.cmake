# One static library per source folder (its sub-folders group files by concern), one test program
# per folder under tests/, mirroring it. Sources are picked up by pattern so that a new class needs
# no build edit.

function(talvex_library name)
  file(GLOB_RECURSE _sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${name}/*.cpp ${CMAKE_SOURCE_DIR}/${name}/*.c)
  if(NOT _sources)
    message(FATAL_ERROR "folder ${name} has no sources")
  endif()
  add_library(${name} STATIC ${_sources})
  if(ARGN)
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endfunction()

# talvex_test(folder libraries...): tests/<folder>/*.cpp become test_<folder>.exe, run under Wine.
function(talvex_test folder)
  # Sub-folders that build modules of their own (tests/media/addon, ...) are left out.
  file(GLOB_RECURSE _sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/tests/${folder}/*.rc)
  get_property(_module_folders GLOBAL PROPERTY TALVEX_TEST_MODULE_FOLDERS)
  foreach(_module_folder IN LISTS _module_folders)
    list(FILTER _sources EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/tests/${_module_folder}/")
  endforeach()
  set(_target test_${folder})
  add_executable(${_target} ${_sources})
  # Our own main instead of gtest_main: it makes a message box that no test expected fail the test.
  if(NOT TARGET test_main)
    add_library(test_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/TestMain.cpp)
    target_link_libraries(test_main PUBLIC framework gtest)
  endif()
  target_link_libraries(${_target} PRIVATE ${ARGN} gmock test_main)
  target_include_directories(${_target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  add_test(NAME ${folder} COMMAND ${_target} --gtest_color=no
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  # Wine checks the heap on every allocation and reports a bad free or a write past a block as
  # "warn:heap": such a fault may crash only much later, so any report fails the test at once.
  set_tests_properties(${folder} PROPERTIES TIMEOUT 600 ENVIRONMENT "WINEDEBUG=-all,warn+heap"
                       FAIL_REGULAR_EXPRESSION "warn:heap")
  # The cases of a system of the English code page (suites named EnglishSystem...) run a second
  # time under en_US, where Wine's ANSI code page is 1252; the program's tests have their own
  # entry for them (program_english_dialogs). They may drive windows, so they run alone.
  if(NOT folder STREQUAL "program")
    add_test(NAME ${folder}_english COMMAND ${_target} --gtest_color=no
             "--gtest_filter=EnglishSystem*.*" WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(${folder}_english PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE
                         ENVIRONMENT "WINEDEBUG=-all,warn+heap;LC_ALL=en_US.UTF-8"
                         FAIL_REGULAR_EXPRESSION "warn:heap")
  endif()
endfunction()

# talvex_test_module(target folder [SUFFIX ext]): a DLL from tests/<folder>/*.cpp and its .def file
# (undecorated cdecl exports), placed beside the test programs so that they load it from the
# program folder.
function(talvex_test_module target folder)
  cmake_parse_arguments(ARG "" "SUFFIX" "" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/tests/${folder}/*.def)
  add_library(${target} SHARED ${_sources})
  set_property(GLOBAL APPEND PROPERTY TALVEX_TEST_MODULE_FOLDERS ${folder})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(${target} PROPERTIES PREFIX ""
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
                        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  if(ARG_SUFFIX)
    set_target_properties(${target} PROPERTIES SUFFIX ${ARG_SUFFIX})
  endif()
endfunction()
