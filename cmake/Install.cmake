# The files that sit beside the program, and what `cmake --install` puts where.

# The help manual is looked up beside the program, in the build as installed.
configure_file(${PROJECT_SOURCE_DIR}/docs/KALMUR.HLP
               ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/KALMUR.HLP COPYONLY)

install(TARGETS kalmur kalmur-tool RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/docs/KALMUR.HLP DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/resources/kalmur.desktop
        DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/kalmur-schedule.xml
        DESTINATION share/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/resources/kalmur.png
        DESTINATION share/icons/hicolor/128x128/apps)
# An installed program keeps its working folders under /var/tmp: each user's
# copies claim their own TEMP.nnn there (a folder of another user is never used).
install(FILES ${PROJECT_SOURCE_DIR}/resources/TRELIN.WDR DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/resources/kalmur.png DESTINATION bin)
configure_file(${PROJECT_SOURCE_DIR}/resources/kalmur.png
               ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/kalmur.png COPYONLY)
