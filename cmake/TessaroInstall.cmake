include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(tessaro_installed_targets tessaro_core)
if(TARGET tessaro_qt)
    list(APPEND tessaro_installed_targets tessaro_qt)
    set(TESSARO_PACKAGE_HAS_QT ON)
else()
    set(TESSARO_PACKAGE_HAS_QT OFF)
endif()

install(TARGETS ${tessaro_installed_targets} EXPORT tessaroTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TESSARO_PACKAGE_HAS_QT)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/tessaro DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
    install(FILES ${PROJECT_BINARY_DIR}/include/tessaro/qt/export.hpp
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tessaro/qt)
else()
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/tessaro DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        PATTERN "qt" EXCLUDE PATTERN "qt.hpp" EXCLUDE)
endif()
install(FILES ${PROJECT_BINARY_DIR}/include/tessaro/export.hpp
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tessaro)
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
