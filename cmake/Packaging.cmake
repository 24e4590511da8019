# Installing the plug-in where hosts look for it, and the packages users install: a Debian package of the
# Linux plug-in (to /usr/lib/vst, the CLAP plug-in that clap/ installs to /usr/lib/clap, and the LV2 bundle
# that lv2/ installs to /usr/lib/lv2) with the JACK application (to /usr/bin, its desktop entry and icon, as
# standalone/ installs them), and a zip of the Windows VST DLL and .clap with a short install note. Nothing
# else of the tree is installed.
set(CPACK_PACKAGE_NAME qm07-compressor)
set(CPACK_PACKAGE_VENDOR ${QM07_VENDOR})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(WIN32)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
      "${QM07_PRODUCT_NAME}: a stereo feed-forward compressor, VST 2.4 and CLAP plug-in")
else()
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
      "${QM07_PRODUCT_NAME}: a stereo feed-forward compressor, VST 2.4, CLAP and LV2 plug-in and JACK application")
endif()
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(TARGETS QM07Compressor LIBRARY DESTINATION .)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/INSTALL-Windows.txt.in ${PROJECT_BINARY_DIR}/INSTALL.txt @ONLY
                 NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/INSTALL.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  # Under the prefix: /usr/lib/vst for the system, ~/.vst (prefix ~, lib/vst) is the user's own choice.
  install(TARGETS QM07Compressor LIBRARY DESTINATION lib/vst)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QM07_VENDOR})
  set(CPACK_DEBIAN_PACKAGE_SECTION sound)
  # The dependencies are those of the libraries the plug-in and the application link, as dpkg-shlibdeps
  # finds them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
