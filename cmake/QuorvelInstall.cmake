# Install rules: the libraries with their public headers under include/quorvel,
# exported targets for find_package(Quorvel), the tool with its example.
include(CMakePackageConfigHelpers)

set(QUORVEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvel)
set(targets quorvel_seam quorvel_core quorvel_vcl quorvel_sim quorvel quorvel_winlayout)
if(TARGET quorvel_native)
  list(APPEND targets quorvel_native)
endif()

install(TARGETS ${targets} EXPORT QuorvelTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILE_SET version DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# The package is loaded at run time, never linked: no export.
install(TARGETS QuorvelPack
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

install(EXPORT QuorvelTargets NAMESPACE Quorvel:: DESTINATION ${QUORVEL_CMAKE_DIR})
configure_package_config_file(cmake/QuorvelConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/QuorvelConfig.cmake
                              INSTALL_DESTINATION ${QUORVEL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuorvelConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuorvelConfig.cmake
              ${PROJECT_BINARY_DIR}/QuorvelConfigVersion.cmake
        DESTINATION ${QUORVEL_CMAKE_DIR})

if(TARGET quorvel_tool)
  install(TARGETS quorvel_tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel/examples
          FILES_MATCHING PATTERN "*.dfm" PATTERN "native-demo" EXCLUDE)
  install(FILES ${QUORVEL_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${QUORVEL_BASH_COMPLETION}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
  install(FILES ${QUORVEL_ZSH_COMPLETION} DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
endif()
