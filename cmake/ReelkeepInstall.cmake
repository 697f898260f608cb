# Where `cmake --install` puts Reelkeep, and where a build tree keeps the same files.
# An installed program finds its shipped files relative to its own bin/ folder, so
# the prefix given at install time may differ from the one configured.
include(GNUInstallDirs)

set(REELKEEP_DATA_BUILD_DIR ${CMAKE_BINARY_DIR}/data)
set(REELKEEP_PLUGIN_BUILD_DIR ${REELKEEP_DATA_BUILD_DIR}/Plugins)
set(REELKEEP_HELPER_BUILD_DIR ${CMAKE_BINARY_DIR}/libexec)

set(REELKEEP_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/reelkeep)
set(REELKEEP_INSTALL_PLUGIN_PARENT_DIR ${CMAKE_INSTALL_LIBDIR}/reelkeep)
set(REELKEEP_INSTALL_PLUGIN_DIR ${REELKEEP_INSTALL_PLUGIN_PARENT_DIR}/Plugins)
set(REELKEEP_INSTALL_HELPER_DIR ${CMAKE_INSTALL_LIBEXECDIR}/reelkeep)

# The same folders seen from bin/ (absolute install folders given by the user included).
foreach(kind DATA PLUGIN_PARENT HELPER)
    cmake_path(ABSOLUTE_PATH REELKEEP_INSTALL_${kind}_DIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX} OUTPUT_VARIABLE full)
    file(RELATIVE_PATH REELKEEP_BIN_TO_${kind} ${CMAKE_INSTALL_FULL_BINDIR} ${full})
endforeach()

# A program people start (reelkeep-cli, reelkeep): installed into bin/.
function(reelkeep_install_program target)
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# An export plug-in library: built into the build tree's data/Plugins and installed
# under the library folder, from where new program folders get it.
function(reelkeep_install_plugin target)
    set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${REELKEEP_PLUGIN_BUILD_DIR})
    install(TARGETS ${target} LIBRARY DESTINATION ${REELKEEP_INSTALL_PLUGIN_DIR})
endfunction()

# A helper executable the program starts: built into the build tree's libexec/ and
# installed into libexec/reelkeep, where ProgramFolder::HelperFolder() finds it.
function(reelkeep_install_helper target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${REELKEEP_HELPER_BUILD_DIR})
    install(TARGETS ${target} RUNTIME DESTINATION ${REELKEEP_INSTALL_HELPER_DIR})
endfunction()

# The desktop entry, installed with Exec naming the installed program (see InstallDesktopEntry.cmake).
function(reelkeep_install_desktop_entry source)
    install(CODE "set(REELKEEP_DESKTOP_SOURCE \"${source}\")
        set(REELKEEP_DESKTOP_STAGE \"${CMAKE_BINARY_DIR}/package/desktop-entry\")
        set(REELKEEP_DESKTOP_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
        set(REELKEEP_DESKTOP_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
    install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/InstallDesktopEntry.cmake)
endfunction()
