# The resource scripts are UTF-8.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# Helpers every subsystem uses to declare its libraries, executables and tests the same way.

# Warnings are errors on our own code only; third-party code is built elsewhere.
function(vorlix_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-unused-parameter)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                               _WIN32_WINNT=0x0601 WINVER=0x0601)
  endif()
endfunction()

# vorlix_library(name SOURCES ... [WIN32_SOURCES ...] [POSIX_SOURCES ...] [DEPS ...])
# Creates vorlix_<name> with the alias vorlix::<name>; the platform file lists pick the seam implementation.
function(vorlix_library name)
  cmake_parse_arguments(A "" "" "SOURCES;WIN32_SOURCES;POSIX_SOURCES;DEPS;WIN32_DEPS" ${ARGN})
  set(srcs ${A_SOURCES})
  if(WIN32)
    list(APPEND srcs ${A_WIN32_SOURCES})
  else()
    list(APPEND srcs ${A_POSIX_SOURCES})
  endif()
  add_library(vorlix_${name} STATIC ${srcs})
  add_library(vorlix::${name} ALIAS vorlix_${name})
  target_include_directories(vorlix_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(vorlix_${name} PUBLIC ${A_DEPS})
  if(WIN32 AND A_WIN32_DEPS)
    target_link_libraries(vorlix_${name} PUBLIC ${A_WIN32_DEPS})
  endif()
  vorlix_warnings(vorlix_${name})
endfunction()

# vorlix_test(name SOURCES ... DEPS ...): one gtest executable, run as one test; its cases are counted
# from the XML report that scripts/test reads.
function(vorlix_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} vorlix::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  vorlix_warnings(${name})
  # Made here: gtest built for Windows does not create the report's folder itself.
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/test-results)
  set(report ${CMAKE_BINARY_DIR}/test-results/${name}.xml)
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    # Under Wine a Unix path is not absolute for the Windows program; drive Z: maps the Unix root.
    set(report Z:${report})
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${report})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
