# Installs the library for other CMake projects: libvrx.a and libvrx_entry.a, the public
# headers (exactly those vrx.h includes) and a package config, so that a consumer writes
#   find_package(vrx CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE vrx::vrx)      # and vrx::entry for a vornmain() program
include(CMakePackageConfigHelpers)

# The public headers are the ones the umbrella header names; internals are never shipped.
file(STRINGS ${VRX_SRC}/vrx.h vrx_public_includes REGEX "^#include \"")
set(vrx_public_headers vrx.h)
foreach(line ${vrx_public_includes})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
    if(NOT EXISTS ${VRX_SRC}/${header})
        message(FATAL_ERROR "vrx.h includes ${header}, which does not exist")
    endif()
    list(APPEND vrx_public_headers ${header})
endforeach()
foreach(header ${vrx_public_headers})
    get_filename_component(folder ${header} DIRECTORY)
    install(FILES ${VRX_SRC}/${header}
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vrx/${folder} COMPONENT vrx)
endforeach()

install(TARGETS vrx vrx_entry EXPORT vrxTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT vrx)
set(vrx_config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/vrx)
install(EXPORT vrxTargets NAMESPACE vrx:: DESTINATION ${vrx_config_dir} COMPONENT vrx)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/vrxConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/vrxConfig.cmake
                              INSTALL_DESTINATION ${vrx_config_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/vrxConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/vrxConfig.cmake ${PROJECT_BINARY_DIR}/vrxConfigVersion.cmake
        DESTINATION ${vrx_config_dir} COMPONENT vrx)
