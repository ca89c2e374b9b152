include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(tessaro_installed_targets tessaro_core)
if(TARGET tessaro_qt)
    list(APPEND tessaro_installed_targets tessaro_qt)
    set(TESSARO_PACKAGE_HAS_QT ON)
else()
    set(TESSARO_PACKAGE_HAS_QT OFF)
endif()

# The Qt Quick front end: its library beside the others, the QML module "Tessaro" (plugin, qmldir,
# type information) in lib/qml, the folder a host adds to its QML import path.
if(TARGET tessaro_quick)
    list(APPEND tessaro_installed_targets tessaro_quick)
    set(TESSARO_PACKAGE_HAS_QUICK ON)
    set(tessaro_qml_destination ${CMAKE_INSTALL_LIBDIR}/qml/Tessaro)
    # The plugin finds the libraries two folders up, wherever the package is installed.
    set_target_properties(tessaro_quickplugin PROPERTIES INSTALL_RPATH "$ORIGIN/../..")
    set_target_properties(tessaro_quick PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(TARGETS tessaro_quickplugin LIBRARY DESTINATION ${tessaro_qml_destination})
    install(DIRECTORY ${PROJECT_BINARY_DIR}/qml/Tessaro/ DESTINATION ${tessaro_qml_destination}
        FILES_MATCHING PATTERN "qmldir" PATTERN "*.qmltypes" PATTERN "*.qml")
else()
    set(TESSARO_PACKAGE_HAS_QUICK OFF)
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
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tessaro
    PATH_VARS CMAKE_INSTALL_LIBDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/tessaroConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/tessaroConfig.cmake ${PROJECT_BINARY_DIR}/tessaroConfigVersion.cmake
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tessaro)
