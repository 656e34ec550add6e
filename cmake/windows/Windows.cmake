# What the Windows program needs beyond its code: its icon, built into the .exe and shown by
# the installer, and the DLLs and Qt plugins it loads, put beside it in the build (bin/) as in
# the installed tree, since Windows looks for DLLs in the program's own folder.

# The host's resource compiler packs with Zstandard, which the cross-built Qt cannot unpack.
if(NOT QT_FEATURE_zstd)
  set(CMAKE_AUTORCC_OPTIONS --no-zstd)
endif()

# The application icon, drawn from the same drawing as on Linux.
set(TARNWICK_WINDOWS_ICON ${CMAKE_BINARY_DIR}/windows/tarnwick.ico)
add_custom_command(
  OUTPUT ${TARNWICK_WINDOWS_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/windows
  COMMAND tarnwick-render-icon ${PROJECT_SOURCE_DIR}/desktop/icons/org.tarnwick.Tarnwick.svg ${TARNWICK_WINDOWS_ICON} 256
  DEPENDS tarnwick-render-icon ${PROJECT_SOURCE_DIR}/desktop/icons/org.tarnwick.Tarnwick.svg)
# A target of its own, since the program that takes it is made in another folder.
add_custom_target(tarnwick-windows-icon ALL DEPENDS ${TARNWICK_WINDOWS_ICON})
set(TARNWICK_WINDOWS_ICON_RC ${CMAKE_BINARY_DIR}/windows/tarnwick.rc)
file(CONFIGURE OUTPUT ${TARNWICK_WINDOWS_ICON_RC} CONTENT "IDI_ICON1 ICON \"${TARNWICK_WINDOWS_ICON}\"\n")

# Qt's own catalogues (its buttons and dialogs), which the cross-built Qt lacks: the build
# machine's, of the same Qt version, for each language of the program's, put in translations/
# beside the target, where the program looks for them.
function(tarnwick_windows_qt_catalogues target)
  foreach(language IN LISTS TARNWICK_LANGUAGES)
    set(catalogue ${QT_HOST_PATH}/share/qt6/translations/qtbase_${language}.qm)
    if(NOT EXISTS ${catalogue})
      message(FATAL_ERROR "Qt's catalogue ${catalogue} is missing: install qt6-translations-l10n")
    endif()
    add_custom_command(TARGET ${target} POST_BUILD
                       COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/translations
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different ${catalogue} $<TARGET_FILE_DIR:${target}>/translations)
  endforeach()
endfunction()

# The runtime: Qt's DLLs, SQLite's (one copy, shared by Qt's driver and the program), the
# compiler's, the plugins Qt loads from the program's folder, and Qt's catalogues.
function(tarnwick_windows_runtime target)
  add_dependencies(${target} tarnwick-windows-icon)
  set(qt ${QT6_INSTALL_PREFIX})
  set(dlls ${qt}/bin/Qt6Core.dll ${qt}/bin/Qt6Gui.dll ${qt}/bin/Qt6Widgets.dll ${qt}/bin/Qt6Sql.dll)
  set(plugins platforms/qwindows.dll sqldrivers/qsqlite.dll sqldrivers/qsqlodbc.dll
              styles/qwindowsvistastyle.dll)
  if(TARGET Qt6::Svg)
    list(APPEND dlls ${qt}/bin/Qt6Svg.dll)
    list(APPEND plugins iconengines/qsvgicon.dll imageformats/qsvg.dll)
  endif()
  get_filename_component(sqlite_prefix ${SQLite3_LIBRARY} DIRECTORY)
  list(APPEND dlls ${sqlite_prefix}/../bin/sqlite3.dll)
  foreach(runtime IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS ${path})
      message(FATAL_ERROR "The compiler's ${runtime} is not where it says: ${path}")
    endif()
    list(APPEND dlls ${path})
  endforeach()
  foreach(file IN LISTS dlls)
    if(NOT EXISTS ${file})
      message(FATAL_ERROR "Missing from the cross-built libraries: ${file}")
    endif()
    add_custom_command(TARGET ${target} POST_BUILD
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} $<TARGET_FILE_DIR:${target}>)
  endforeach()
  install(FILES ${dlls} DESTINATION ${CMAKE_INSTALL_BINDIR})
  tarnwick_windows_qt_catalogues(${target})
  foreach(language IN LISTS TARNWICK_LANGUAGES)
    install(FILES ${QT_HOST_PATH}/share/qt6/translations/qtbase_${language}.qm
            DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
  endforeach()
  foreach(plugin IN LISTS plugins)
    set(file ${qt}/${QT6_INSTALL_PLUGINS}/${plugin})
    if(NOT EXISTS ${file})
      message(FATAL_ERROR "Missing from the cross-built Qt: ${file}")
    endif()
    get_filename_component(folder ${plugin} DIRECTORY)
    add_custom_command(TARGET ${target} POST_BUILD
                       COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/${folder}
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} $<TARGET_FILE_DIR:${target}>/${folder})
    install(FILES ${file} DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
  endforeach()
endfunction()
