# What only an installed system needs: manual pages, bash completion,
# AppStream metainfo and the Debian package's documents, and the package
# itself (cpack, see scripts/package).

set(ts_linux ${PROJECT_SOURCE_DIR}/res/linux)
set(ts_man ${PROJECT_SOURCE_DIR}/res/man)
set(ts_pkg ${PROJECT_BINARY_DIR}/package)

# Manual pages and the changelog, compressed as Debian installs them: -n
# keeps the time and name out of the gzip header, so builds are identical.
find_program(TS_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${ts_pkg}/tracksmith-cli.1
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ts_pkg}
  COMMAND sh ${ts_man}/render-cli-man.sh $<TARGET_FILE:tracksmith-cli> ${ts_man}/tracksmith-cli.1.in
          ${ts_pkg}/tracksmith-cli.1 ${PROJECT_VERSION}
  DEPENDS tracksmith-cli ${ts_man}/tracksmith-cli.1.in ${ts_man}/render-cli-man.sh
  VERBATIM)
set(ts_gzipped)
foreach(source ${ts_man}/tracksmith.1 ${ts_man}/tracksmith-tracks.1 ${ts_pkg}/tracksmith-cli.1 ${ts_linux}/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${ts_pkg}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ts_pkg}
    COMMAND sh -c "${TS_GZIP} -9 -n -c \"$0\" > \"$1\"" ${source} ${ts_pkg}/${name}.gz
    DEPENDS ${source}
    VERBATIM)
  list(APPEND ts_gzipped ${ts_pkg}/${name}.gz)
endforeach()
add_custom_target(tracksmith_manpages ALL DEPENDS ${ts_gzipped})

install(FILES ${ts_pkg}/tracksmith.1.gz ${ts_pkg}/tracksmith-cli.1.gz ${ts_pkg}/tracksmith-tracks.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ts_linux}/tracksmith-cli.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME tracksmith-cli)
install(FILES ${ts_linux}/org.example.kestrel.Tracksmith.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ts_linux}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tracksmith)
# The version has no Debian revision, so the package is native and its
# changelog is changelog.gz.
install(FILES ${ts_pkg}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tracksmith)
install(FILES ${ts_linux}/tracksmith.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tracksmith)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tracksmith)
set(CPACK_PACKAGE_VENDOR Kestrel)
set(CPACK_PACKAGE_CONTACT "Kestrel <tracksmith@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for CD cue sheets")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/kestrel/tracksmith/")
# xdg-mime makes Tracksmith the desktop's program for cue sheets; the
# browser opener shows the help file.
# Qt's own translations give the standard buttons (OK, Cancel, Close) the
# desktop's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Tracksmith edits CD cue sheets: the text files that tell a disc burning
program which audio and data files make up a disc, where each track and
index begins, and which gaps, ISRC codes, flags and catalog number apply.
Tracks and indexes stay in time order and are numbered automatically; the
wave player and the waveform panel place indexes by ear and by eye, and a
sheet's audio can be cut into tagged tracks or joined into one image.
.
The package also holds tracksmith-cli, which checks and normalizes sheets
the way the editor reads them, for use in scripts.")
include(CPack)
