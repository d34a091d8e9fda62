# What every shipped binary gets: a version resource from the project's one
# version number, and an install that strips it and ships its PDB file.

# tavrin_version_resource(<target> <description>)
function(tavrin_version_resource target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(VI_FILETYPE VFT_APP)
    set(VI_FILENAME ${target}.exe)
  else()
    set(VI_FILETYPE VFT_DLL)
    set(VI_FILENAME ${target}.dll)
  endif()
  set(VI_NAME ${target})
  set(VI_DESCRIPTION ${description})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# tavrin_install_with_pdb(<target>): links the binary with a PDB file beside it
# (bin/<name>.pdb) and installs both into the top of the drop-in folder, the
# binary stripped. The binary's debug directory names the PDB without a
# folder, so a debugger looks for it beside the binary and on its symbol path.
# The build's own copy keeps a COFF symbol table (scripts/link_with_pdb.py),
# from which the fault sweep and the profiler name functions.
function(tavrin_install_with_pdb target)
  set(pdb ${target}.pdb)
  set(script ${PROJECT_SOURCE_DIR}/scripts/link_with_pdb.py)
  # Relative to the build folder, where the link runs: no build path reaches the PDB.
  target_link_options(${target} PRIVATE --ld-path=${script} -Wl,--pdb=bin/${pdb}
                      LINKER:--Xlink=-pdbaltpath:%_PDB% LINKER:--Xlink=-pdbsourcepath:.)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${script})
  install(TARGETS ${target} RUNTIME DESTINATION . LIBRARY DESTINATION .)
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${pdb} DESTINATION .)
  install(CODE "
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-all \"\${CMAKE_INSTALL_PREFIX}/$<TARGET_FILE_NAME:${target}>\"
                    COMMAND_ERROR_IS_FATAL ANY)
  ")
endfunction()

# tavrin_import_libraries(<dll target> <def file>): from one .def file, the
# Microsoft-format <name>.lib (llvm-dlltool) and the MinGW lib<name>.dll.a
# (dlltool), both importing the undecorated names. On the 32-bit target the
# .def carries the stdcall decorations (@n) that callers' objects refer to,
# and -k makes the libraries import the names without them.
# Sets <dll target>_IMPORT_LIBS in the caller's scope and installs them with
# the .def into lib/.
function(tavrin_import_libraries target def)
  find_program(LLVM_DLLTOOL llvm-dlltool REQUIRED)
  if(TAVRIN_ARCH STREQUAL "x86")
    set(gnu_machine i386)
    set(llvm_machine i386)
  else()
    set(gnu_machine i386:x86-64)
    set(llvm_machine i386:x86-64)
  endif()
  set(dir ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY})
  # The linker's own import library (decorated names on x86) stays out of the way.
  set_target_properties(${target} PROPERTIES ARCHIVE_OUTPUT_DIRECTORY ${dir}/linker)
  set(mslib ${dir}/${target}.lib)
  set(gnulib ${dir}/lib${target}.dll.a)
  add_custom_command(OUTPUT ${mslib} ${gnulib}
    COMMAND ${LLVM_DLLTOOL} -m ${llvm_machine} -d ${def} -D ${target}.dll -l ${mslib} -k
    # dlltool names the library's symbols after its output path: a name
    # without folders keeps the build path out of every binary that links it.
    COMMAND ${CMAKE_DLLTOOL} --machine ${gnu_machine} --input-def ${def} --dllname ${target}.dll
            --kill-at --output-lib lib${target}.dll.a
    WORKING_DIRECTORY ${dir}
    DEPENDS ${def}
    COMMENT "Import libraries for ${target}.dll"
    VERBATIM)
  add_custom_target(${target}_import_libs ALL DEPENDS ${mslib} ${gnulib})
  install(FILES ${def} ${mslib} ${gnulib} DESTINATION lib)
  set(${target}_IMPORT_LIBS ${mslib} ${gnulib} PARENT_SCOPE)
endfunction()
