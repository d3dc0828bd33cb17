# What `cmake --install` puts under the prefix (PREFIX, DESTDIR and the GNU install folders
# apply): the program in bin, its three modules in their own folder under the library folder,
# where the program looks for them relative to its own path (app/module_loader.h), the manual
# page, the shell completion, the README and the docs. The Windows build puts the executable,
# the README and the docs at the top of its archive.
if(WIN32)
    install(TARGETS scenario-builder RUNTIME DESTINATION .)
    install(FILES README.md DESTINATION .)
    install(DIRECTORY docs/ DESTINATION docs FILES_MATCHING PATTERN "*.md" PATTERN "*.png")
    return()
endif()

install(TARGETS scenario-builder RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS scenario_desktop scenario_plot_module scenario_serve_module
        LIBRARY DESTINATION ${scenario_module_install_dir})
install(FILES docs/scenario-builder.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES completion/scenario-builder.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME scenario-builder)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs
        FILES_MATCHING PATTERN "*.md" PATTERN "*.png")
