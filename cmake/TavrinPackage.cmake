# The CMake package in every drop-in folder (lib/cmake/Tavrin) and the host
# project that uses it (samples/cmake-host). The version file accepts requests
# for the same major version up to this one, and only consumers of the same
# pointer size.
include(CMakePackageConfigHelpers)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/TavrinConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/package/TavrinConfig.cmake ${CMAKE_BINARY_DIR}/TavrinConfigVersion.cmake
        DESTINATION lib/cmake/Tavrin)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/cmake-host DESTINATION samples)
