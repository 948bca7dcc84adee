# The Debian package: `cmake --build build --target package` (or cpack in the
# build directory) writes rampwall_<version>-1_<arch>.deb, which installs
# under /usr, the DEB default. The programs in it are stripped.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rampwall)
set(CPACK_PACKAGE_VENDOR "rampwall developers")
set(CPACK_PACKAGE_CONTACT "rampwall developers <developers@rampwall.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "ramp retaining wall reinforcement calculator (坡道外墙配筋计算)")
set(CPACK_PACKAGE_DESCRIPTION
"A desktop calculator for structural engineers. It designs the vertical
reinforcement at the base of the cantilevered earth-retaining wall of an
open vehicle ramp, per metre of wall, to GB 50010-2002: the earth, water
and surcharge moments, the steel area by strength, the bar for the chosen
spacing, and the crack-width check that raises the bar until the width is
within the limit. It writes the whole calculation sheet with the numbers
filled in.

The package holds the window program rampwall, whose window is in Chinese,
and the command-line tool rampwall-cli, which computes the same designs
one at a time, from a CSV file or as a sweep over one input.")
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs link, with their versions, from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the window loads at run time without linking it, so dpkg-shlibdeps
# cannot see it: the X11 platform plugin (libqt6gui6 only recommends it), the
# SVG image plugin for the sketch and the icon, the GStreamer elements that
# decode and play the background music (without plugins-base Qt's GStreamer
# back end crashes), the Chinese faces the window maps its fonts to, and Qt's
# own texts in Chinese (the message boxes' 确定, the context menus).
if(TARGET rampwall)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "qt6-qpa-plugins, libqt6svg6, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-wqy-microhei, fonts-arphic-ukai, qt6-translations-l10n")
  # Their file triggers register the design files' type and the window as
  # the program that opens them.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
endif()

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/\\\\.cache/")

include(CPack)
