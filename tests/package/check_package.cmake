# Installs the built control into a scratch prefix, then builds and runs a host against it with
# the same compiler flags (a sanitizer build needs its runtime in the host too).
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${TESSARO_BUILD_DIR} --prefix ${WORK_DIR}/prefix
                RESULT_VARIABLE result OUTPUT_QUIET)
if(result)
    message(FATAL_ERROR "install failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${CONSUMER_SOURCE_DIR} -B ${WORK_DIR}/build -G Ninja
                        -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix
                        "-DCMAKE_CXX_FLAGS=${HOST_CXX_FLAGS}"
                        "-DCMAKE_EXE_LINKER_FLAGS=${HOST_LINKER_FLAGS}"
                RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "configuring the host failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "building the host failed")
endif()
execute_process(COMMAND ${WORK_DIR}/build/host RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "the host failed: ${result}")
endif()
# The widget host loads the sample plant of the source tree and saves its changes beside itself.
get_filename_component(samples ${CONSUMER_SOURCE_DIR}/../../samples ABSOLUTE)
if(EXISTS ${WORK_DIR}/build/qt_host)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${WORK_DIR}/build/qt_host
                            ${samples}
                    WORKING_DIRECTORY ${WORK_DIR}/build
                    RESULT_VARIABLE result)
    if(result)
        message(FATAL_ERROR "the widget host failed: ${result}")
    endif()
endif()
# The QML host imports the module from the installed package and loads the sample plant.
if(EXISTS ${WORK_DIR}/build/qml_host)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                            ${WORK_DIR}/build/qml_host ${samples}
                    RESULT_VARIABLE result)
    if(result)
        message(FATAL_ERROR "the QML host failed: ${result}")
    endif()
endif()
