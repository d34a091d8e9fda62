# The CMake package of a Tavrin drop-in folder (lib/cmake/Tavrin in it):
#   find_package(Tavrin 1.1 CONFIG REQUIRED)
#   target_link_libraries(MyHost PRIVATE Tavrin::Tavrin)
#   tavrin_copy_runtime(MyHost)
# Tavrin::Tavrin is Tavrin.dll and Tavrin::Pellix is Pellix.dll, each with the
# include folder and the import library of the consumer's toolchain: lib/X.lib
# for the Microsoft-style ones (Visual Studio, clang-cl), lib/libX.dll.a for
# MinGW. The folder is found from this file, so it may be moved anywhere.
get_filename_component(Tavrin_DROPIN_DIR "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

if(MSVC OR CMAKE_C_SIMULATE_ID STREQUAL "MSVC" OR CMAKE_CXX_SIMULATE_ID STREQUAL "MSVC")
  set(_tavrin_implib_pattern "lib/@NAME@.lib")
else()
  set(_tavrin_implib_pattern "lib/lib@NAME@.dll.a")
endif()

foreach(_tavrin_name IN ITEMS Tavrin Pellix)
  if(TARGET Tavrin::${_tavrin_name})
    continue()
  endif()
  string(REPLACE "@NAME@" "${_tavrin_name}" _tavrin_implib "${_tavrin_implib_pattern}")
  add_library(Tavrin::${_tavrin_name} SHARED IMPORTED)
  set_target_properties(Tavrin::${_tavrin_name} PROPERTIES
    IMPORTED_LOCATION "${Tavrin_DROPIN_DIR}/${_tavrin_name}.dll"
    IMPORTED_IMPLIB "${Tavrin_DROPIN_DIR}/${_tavrin_implib}"
    INTERFACE_INCLUDE_DIRECTORIES "${Tavrin_DROPIN_DIR}/include")
endforeach()
unset(_tavrin_name)
unset(_tavrin_implib)
unset(_tavrin_implib_pattern)

# tavrin_copy_runtime(<target>): after every build of <target>, copies what
# the module needs at run time beside the target's program: Tavrin.dll,
# Pellix.dll and the skin (the Config folder).
function(tavrin_copy_runtime target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_COMMAND}" -E copy_if_different
            "$<TARGET_FILE:Tavrin::Tavrin>" "$<TARGET_FILE:Tavrin::Pellix>" "$<TARGET_FILE_DIR:${target}>"
    COMMAND "${CMAKE_COMMAND}" -E copy_directory "${Tavrin_DROPIN_DIR}/Config" "$<TARGET_FILE_DIR:${target}>/Config"
    VERBATIM)
endfunction()
