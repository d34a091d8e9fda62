# The package's choices as a consumer's configure sees them, run in script
# mode: cmake -DDIST=<drop-in folder> -DLLVM_NM=<llvm-nm> -DARCH=x86|x64 -P check_package.cmake
# A compiler-less project (LANGUAGES NONE) plays each consumer of the table,
# with MSVC and the pointer size set as that toolchain would set them, since
# there is no Microsoft compiler here and add_library cannot run in a script.
cmake_minimum_required(VERSION 3.20)
set(status 0)
macro(fail text)
  message("FAIL: ${text}")
  set(status 1)
endmacro()

if(ARCH STREQUAL "x86")
  set(own_size 4)
  set(other_size 8)
  set(imports __imp__QmUIFunInitialize@4 __imp__QmUIFunUnInitialize@4 __imp__QmUIFunEnter@12
              __imp__DllPreTranslateMessage)
else()
  set(own_size 8)
  set(other_size 4)
  set(imports __imp_QmUIFunInitialize __imp_QmUIFunUnInitialize __imp_QmUIFunEnter __imp_DllPreTranslateMessage)
endif()

set(probe ${CMAKE_CURRENT_BINARY_DIR}/package-probe)
file(REMOVE_RECURSE ${probe})
file(WRITE ${probe}/CMakeLists.txt [=[
cmake_minimum_required(VERSION 3.20)
project(PackageProbe NONE)
set(MSVC ${PROBE_MSVC})
set(CMAKE_SIZEOF_VOID_P ${PROBE_POINTER_SIZE})
find_package(Tavrin ${PROBE_VERSION} CONFIG)
message(STATUS "found=${Tavrin_FOUND}")
if(Tavrin_FOUND)
  foreach(name Tavrin Pellix)
    foreach(property IMPORTED_LOCATION IMPORTED_IMPLIB INTERFACE_INCLUDE_DIRECTORIES)
      get_target_property(value Tavrin::${name} ${property})
      message(STATUS "${name}.${property}=${value}")
    endforeach()
  endforeach()
endif()
]=])

# msvc, requested version, pointer size, expected import library (empty: not found).
set(cases
  "ON|1.1|${own_size}|Tavrin.lib"
  "ON|1.0|${own_size}|Tavrin.lib"
  "OFF|1.1|${own_size}|libTavrin.dll.a"
  "OFF|1|${own_size}|libTavrin.dll.a"
  "ON|2.0|${own_size}|"
  "ON|1.3|${own_size}|"
  "ON|1.1|${other_size}|")
set(n 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 msvc)
  list(GET fields 1 version)
  list(GET fields 2 size)
  list(LENGTH fields count)
  set(implib "")
  if(count GREATER 3)
    list(GET fields 3 implib)
  endif()
  math(EXPR n "${n} + 1")
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${probe} -B ${probe}/build${n} -DTavrin_DIR=${DIST}/lib/cmake/Tavrin
                          -DPROBE_MSVC=${msvc} -DPROBE_VERSION=${version} -DPROBE_POINTER_SIZE=${size}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  set(what "MSVC=${msvc}, version ${version}, ${size}-byte pointers")
  if(NOT rc EQUAL 0)
    fail("${what}: the probe did not configure: ${err}")
    continue()
  endif()
  if(implib STREQUAL "")
    if(NOT out MATCHES "found=0")
      fail("${what}: the package was accepted")
    endif()
    continue()
  endif()
  string(REPLACE "Tavrin" "Pellix" pellix_implib "${implib}")
  foreach(expected
      "Tavrin.IMPORTED_LOCATION=${DIST}/Tavrin.dll" "Tavrin.IMPORTED_IMPLIB=${DIST}/lib/${implib}"
      "Tavrin.INTERFACE_INCLUDE_DIRECTORIES=${DIST}/include" "Pellix.IMPORTED_LOCATION=${DIST}/Pellix.dll"
      "Pellix.IMPORTED_IMPLIB=${DIST}/lib/${pellix_implib}" "Pellix.INTERFACE_INCLUDE_DIRECTORIES=${DIST}/include")
    string(FIND "${out}" "-- ${expected}\n" at)
    if(at LESS 0)
      fail("${what}: no ${expected} in:\n${out}")
    endif()
  endforeach()
endforeach()

# The Microsoft-format library that an MSVC consumer links imports every export.
execute_process(COMMAND ${LLVM_NM} ${DIST}/lib/Tavrin.lib OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  fail("llvm-nm cannot read ${DIST}/lib/Tavrin.lib")
endif()
foreach(symbol IN LISTS imports)
  string(REGEX MATCH "(^|\n)[0-9a-f ]*[A-Z] ${symbol}\n" hit "${symbols}")
  if(NOT hit)
    fail("Tavrin.lib defines no ${symbol}")
  endif()
endforeach()

if(status)
  message(FATAL_ERROR "the package failed its consumers")
endif()
list(LENGTH cases count)
message("OK: the package serves ${count} consumers as expected; Tavrin.lib imports ${imports}")
