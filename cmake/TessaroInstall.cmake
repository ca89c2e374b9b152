include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS tessaro_core EXPORT tessaroTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/tessaro DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT tessaroTargets
    NAMESPACE tessaro::
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tessaro)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/tessaroConfig.cmake.in
    ${PROJECT_BINARY_DIR}/tessaroConfig.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tessaro)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/tessaroConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/tessaroConfig.cmake ${PROJECT_BINARY_DIR}/tessaroConfigVersion.cmake
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tessaro)
