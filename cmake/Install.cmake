# cmake --install lays out MERU's program directory, <prefix>/lib/meru/:
#   meru     the program, which finds everything else beside its own file
#   saida/   the empty export templates, written fresh at every install
#   based/   the working tables, laid out fresh only where no based/ exists: an
#            installed store is never overwritten, and the build's own based/ (a
#            developer's rows) is never copied
# and around it a launcher on the PATH (<prefix>/bin/meru, a link to the program),
# the menu entry (share/applications/meru.desktop) and the icon (share/icons/hicolor).
# Everything honours DESTDIR. based/ is left out of install_manifest.txt, so that
# whatever removes the installed files never takes the store with them.
include(GNUInstallDirs)

set(MERU_INSTALL_PROGRAMDIR "lib/meru" CACHE STRING "MERU's program directory, relative to the install prefix")

install(TARGETS meru RUNTIME DESTINATION ${MERU_INSTALL_PROGRAMDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/meru.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/meru.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)

# The prefix is only known when installing (cmake --install --prefix), so the
# layout, the link and the menu entry are made then.
install(CODE "
set(meru_layout_tool \"$<TARGET_FILE:meru_layout>\")
set(meru_municipios \"${PROJECT_SOURCE_DIR}/resources/municipios.tsv\")
set(meru_desktop_template \"${PROJECT_SOURCE_DIR}/resources/meru.desktop.in\")
set(meru_programdir_rel \"${MERU_INSTALL_PROGRAMDIR}\")
set(meru_bindir_rel \"${CMAKE_INSTALL_BINDIR}\")
set(meru_datadir_rel \"${CMAKE_INSTALL_DATADIR}\")
")
install(CODE [[
function(meru_absolute out rel)
  if(IS_ABSOLUTE "${rel}")
    set(${out} "${rel}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${rel}" PARENT_SCOPE)
  endif()
endfunction()
meru_absolute(meru_programdir "${meru_programdir_rel}")
meru_absolute(meru_bindir "${meru_bindir_rel}")
meru_absolute(meru_datadir "${meru_datadir_rel}")
set(meru_staged_programdir "$ENV{DESTDIR}${meru_programdir}")

# saida/ fresh, based/ only where none exists: the layout tool decides.
file(REMOVE_RECURSE "${meru_staged_programdir}/saida")
message(STATUS "Laying out: ${meru_staged_programdir} (based/ only where none exists, saida/)")
execute_process(COMMAND "${meru_layout_tool}" "${meru_staged_programdir}" "${meru_municipios}"
                COMMAND_ERROR_IS_FATAL ANY)
file(GLOB meru_templates RELATIVE "${meru_staged_programdir}/saida" "${meru_staged_programdir}/saida/*")
list(TRANSFORM meru_templates PREPEND "${meru_programdir}/saida/")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES ${meru_templates})

# The launcher: a relative link, so the staged tree can be moved as a whole.
file(MAKE_DIRECTORY "$ENV{DESTDIR}${meru_bindir}")
file(RELATIVE_PATH meru_link_target "${meru_bindir}" "${meru_programdir}/meru")
message(STATUS "Installing: $ENV{DESTDIR}${meru_bindir}/meru -> ${meru_link_target}")
file(CREATE_LINK "${meru_link_target}" "$ENV{DESTDIR}${meru_bindir}/meru" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${meru_bindir}/meru")

# The menu entry runs the installed program by its full path. Exec quotes it where
# it holds a blank or a reserved character, escaping as the entry format asks.
set(meru_program "${meru_programdir}/meru")
string(REPLACE "\\" "\\\\" MERU_DESKTOP_TRYEXEC "${meru_program}")
if(meru_program MATCHES "[] \t\n\"'\\\\><~|&;$*?#()`]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" meru_quoted "${meru_program}")
  string(REPLACE "\\" "\\\\" meru_quoted "${meru_quoted}")
  set(MERU_DESKTOP_EXEC "\"${meru_quoted}\"")
else()
  set(MERU_DESKTOP_EXEC "${meru_program}")
endif()
set(meru_desktop "${meru_datadir}/applications/meru.desktop")
message(STATUS "Installing: $ENV{DESTDIR}${meru_desktop}")
configure_file("${meru_desktop_template}" "$ENV{DESTDIR}${meru_desktop}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${meru_desktop}")
]])
