# What every shipped binary gets: a version resource from the project's one
# version number, and an install that strips it and keeps its debug
# information in a separate file found through .gnu_debuglink.

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

# tavrin_install_stripped(<target>): installs the binary into the top of the
# drop-in folder, stripped, with its debug information in .debug/<file>.debug.
function(tavrin_install_stripped target)
  install(TARGETS ${target} RUNTIME DESTINATION . LIBRARY DESTINATION .)
  install(CODE "
    set(bin \"\${CMAKE_INSTALL_PREFIX}/$<TARGET_FILE_NAME:${target}>\")
    set(dbg \"\${CMAKE_INSTALL_PREFIX}/.debug/$<TARGET_FILE_NAME:${target}>.debug\")
    file(MAKE_DIRECTORY \"\${CMAKE_INSTALL_PREFIX}/.debug\")
    # objcopy and strip stamp a PE file with the time unless told a fixed one.
    set(ENV{SOURCE_DATE_EPOCH} 0)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --only-keep-debug \"\${bin}\" \"\${dbg}\" COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug --strip-unneeded \"\${bin}\" COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --add-gnu-debuglink=\${dbg} \"\${bin}\" COMMAND_ERROR_IS_FATAL ANY)
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
