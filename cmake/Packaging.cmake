# Installation and the Debian package.
#
# Two layouts (core/DataLayout tells them apart at run time by what lies beside the program):
#  - installed (the default): GNUInstallDirs places, programs in bin/, data in share/brindle/,
#    and the desktop entry, icons, metainfo, MIME type, manual pages and bash completion where
#    the desktop and the shell look for them;
#  - portable (-DBRINDLE_INSTALL_PORTABLE=ON, the default on Windows): programs and data
#    folders side by side at the top of the prefix, as the build directory has them.
include(GNUInstallDirs)

if(WIN32)
  set(brindle_portable_default ON)
else()
  set(brindle_portable_default OFF)
endif()
option(BRINDLE_INSTALL_PORTABLE "Install programs and data side by side (portable layout)"
  ${brindle_portable_default})
# The project's public address and maintainer, for the metainfo and the package.
set(BRINDLE_HOMEPAGE "https://brindle.example.org" CACHE STRING "Project home page")
set(BRINDLE_SCREENSHOT_URL "${BRINDLE_HOMEPAGE}/docs/screenshot.png" CACHE STRING
  "Public address of docs/screenshot.png, for the AppStream metainfo")
set(BRINDLE_APP_ID "org.example.brindle" CACHE STRING "AppStream component id (reverse DNS)")
set(BRINDLE_MAINTAINER_EMAIL "brindle@example.org" CACHE STRING "Package maintainer's address")

# The data folder of the installed layout as seen from the programs' folder.
file(RELATIVE_PATH brindle_data_from_bin "/${CMAKE_INSTALL_BINDIR}"
  "/${CMAKE_INSTALL_DATADIR}/brindle")
target_compile_definitions(brindle_core PRIVATE
  BRINDLE_INSTALLED_DATA_DIR="${brindle_data_from_bin}")
# The sound output module's folder, likewise (a private library: not where the loader looks).
file(RELATIVE_PATH brindle_module_from_bin "/${CMAKE_INSTALL_BINDIR}"
  "/${CMAKE_INSTALL_LIBDIR}/brindle")
if(TARGET brindle_sound)
  target_compile_definitions(brindle_ui PRIVATE
    BRINDLE_INSTALLED_MODULE_DIR="${brindle_module_from_bin}")
endif()

# The program's icon (the one its windows show) is drawn from its SVG at build time by a small
# tool of ours: PNG files for the desktop, a .ico for the Windows executable. The tool runs on
# the build machine, so a cross build has none.
set(brindle_icon ${PROJECT_SOURCE_DIR}/app/windows/icons/window.svg)
set(brindle_out ${CMAKE_BINARY_DIR}/packaging)
if(TARGET brindle AND NOT CMAKE_CROSSCOMPILING)
  add_executable(brindle-render-icon EXCLUDE_FROM_ALL packaging/render-icon.cpp)
  target_link_libraries(brindle-render-icon PRIVATE brindle_settings Qt6::Gui Qt6::Svg)
  # Beside the packaging files, not among the programs of the build directory.
  set_target_properties(brindle-render-icon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${brindle_out})
  if(WIN32)
    add_custom_command(OUTPUT ${brindle_out}/brindle.ico
      COMMAND brindle-render-icon ${brindle_icon} ${brindle_out}/brindle.ico 16 24 32 48 64 256
      DEPENDS brindle-render-icon ${brindle_icon} VERBATIM)
    file(WRITE ${brindle_out}/brindle.rc "IDI_ICON1 ICON \"brindle.ico\"\n")
    set_source_files_properties(${brindle_out}/brindle.rc PROPERTIES
      OBJECT_DEPENDS ${brindle_out}/brindle.ico)
    target_sources(brindle PRIVATE ${brindle_out}/brindle.rc)
  endif()
endif()

if(BRINDLE_INSTALL_PORTABLE)
  install(TARGETS brindle-cli RUNTIME DESTINATION .)
  # brindle-cli runs brindle-keyboard from its own folder for the keyboard picture.
  if(TARGET brindle-keyboard)
    install(TARGETS brindle-keyboard RUNTIME DESTINATION .)
  endif()
  if(TARGET brindle)
    install(TARGETS brindle RUNTIME DESTINATION .)
    install(TARGETS brindle_sound LIBRARY DESTINATION . RUNTIME DESTINATION .)
  endif()
  install(DIRECTORY data/ DESTINATION .)
  install(FILES LICENSE DESTINATION .)
  return()
endif()

install(TARGETS brindle-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET brindle-keyboard)
  install(TARGETS brindle-keyboard RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET brindle)
  install(TARGETS brindle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(TARGETS brindle_sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/brindle)
endif()
install(DIRECTORY data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/brindle)

# A sanitizer build is for the tests only: no manual pages (they would run the instrumented
# brindle-cli during the build), icons or package.
if(BRINDLE_SANITIZE)
  return()
endif()

set(brindle_docdir ${CMAKE_INSTALL_DATADIR}/doc/brindle)
file(MAKE_DIRECTORY ${brindle_out})
find_program(BRINDLE_GZIP gzip REQUIRED)

# Compressed copies for the manual and documentation folders: -n keeps the build time out of
# them, so the package is the same from one build to the next.
function(brindle_gzip target source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${BRINDLE_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source} ${ARGN} VERBATIM)
  set(${target} ${output} PARENT_SCOPE)
endfunction()

configure_file(packaging/changelog ${brindle_out}/changelog @ONLY)
brindle_gzip(brindle_changelog ${brindle_out}/changelog ${brindle_out}/changelog.gz)
configure_file(packaging/brindle.1.in ${brindle_out}/brindle.1 @ONLY)
brindle_gzip(brindle_man ${brindle_out}/brindle.1 ${brindle_out}/brindle.1.gz)
configure_file(packaging/brindle-keyboard.1.in ${brindle_out}/brindle-keyboard.1 @ONLY)
brindle_gzip(brindle_keyboard_man ${brindle_out}/brindle-keyboard.1
  ${brindle_out}/brindle-keyboard.1.gz)
set(brindle_packaging_outputs ${brindle_changelog} ${brindle_man} ${brindle_keyboard_man})

# brindle-cli's manual page is made from its own --help texts.
if(NOT CMAKE_CROSSCOMPILING)
  add_custom_command(OUTPUT ${brindle_out}/brindle-cli.1
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:brindle-cli> -DVERSION=${PROJECT_VERSION}
      -DOUT=${brindle_out}/brindle-cli.1 -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    DEPENDS brindle-cli ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake VERBATIM)
  brindle_gzip(brindle_cli_man ${brindle_out}/brindle-cli.1 ${brindle_out}/brindle-cli.1.gz)
  list(APPEND brindle_packaging_outputs ${brindle_cli_man})
  install(FILES ${brindle_cli_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

install(FILES packaging/copyright ${brindle_changelog} DESTINATION ${brindle_docdir})
install(FILES ${brindle_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET brindle-keyboard)
  install(FILES ${brindle_keyboard_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES packaging/brindle-cli.bash-completion
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME brindle-cli)

if(TARGET brindle)
  # The icon in every size a desktop asks for.
  if(NOT TARGET brindle-render-icon)
    message(FATAL_ERROR "The installed layout's icons are drawn on the build machine: "
      "a cross build installs the portable layout (-DBRINDLE_INSTALL_PORTABLE=ON)")
  endif()
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${brindle_out}/icons/${size}x${size}/brindle.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${brindle_out}/icons/${size}x${size}
      COMMAND brindle-render-icon ${brindle_icon} ${png} ${size}
      DEPENDS brindle-render-icon ${brindle_icon} VERBATIM)
    list(APPEND brindle_packaging_outputs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES ${brindle_icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME brindle.svg)
  install(FILES packaging/brindle.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/brindle-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME brindle.xml)
  configure_file(packaging/brindle.metainfo.xml.in
    ${brindle_out}/${BRINDLE_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${brindle_out}/${BRINDLE_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
add_custom_target(brindle_packaging ALL DEPENDS ${brindle_packaging_outputs})

# ---------------------------------------------------------------- cpack -G DEB
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brindle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Brindle developers")
set(CPACK_PACKAGE_CONTACT "The Brindle developers <${BRINDLE_MAINTAINER_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and generator of Counter-Strike 1.6 configs")
set(CPACK_PACKAGE_DESCRIPTION "Brindle writes, explains, assembles and tries out the console
configuration files of Counter-Strike 1.6 (config.cfg, autoexec.cfg and any
other .cfg): a text editor with config tools, a dictionary of the game's
commands and variables with a Russian explanation of every entry, bind, alias
and setinfo dialogs, ready-made scripts with key placeholders, a configuration
wizard and a map cycle editor. brindle-cli checks, cleans and explains configs
on the command line. The interface is Russian.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A tool for a game, not a game: the games section is for programs in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${BRINDLE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The standard dialogs in Russian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
