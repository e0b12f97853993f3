# cmake -DBUILD_DIR=<build> -DVERSION=<version> -DCPACK=<cpack> -DSOURCE_DIR=<this folder> -P package_test.cmake
# Makes the Debian package from the build as `cpack -G DEB` in it does, reads its control fields and
# file list, unpacks it into a temporary root (dpkg-deb -x) and checks the program there as an
# installed one, started with a ticket file.
string(RANDOM LENGTH 10 tag)
set(root "/tmp/fishkodrom-package-${tag}")
set(failures "")
macro(fail text)
  string(APPEND failures "  ${text}\n")
endmacro()
macro(give_up text)
  file(REMOVE_RECURSE "${root}")
  message(FATAL_ERROR "${text}")
endmacro()

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CPACK} -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${root}/out"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
set(deb "${root}/out/fishkodrom_${VERSION}_${arch}.deb")
if(NOT rc EQUAL 0 OR NOT EXISTS "${deb}")
  file(GLOB made "${root}/out/*.deb")
  give_up("cpack (${rc}) made no ${deb} (made: ${made}):\n${out}")
endif()

# ---- Control fields.
macro(field name)
  execute_process(COMMAND dpkg-deb -f "${deb}" ${name} OUTPUT_VARIABLE ${name} OUTPUT_STRIP_TRAILING_WHITESPACE)
endmacro()
foreach(name Package Version Architecture Section Priority Maintainer Depends Recommends Description)
  field(${name})
endforeach()
foreach(pair "Package=fishkodrom" "Version=${VERSION}" "Architecture=${arch}" "Section=games" "Priority=optional")
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 want)
  if(NOT "${${name}}" STREQUAL want)
    fail("${name} is '${${name}}', not '${want}'")
  endif()
endforeach()
if(NOT Maintainer MATCHES "<[^@>]+@[^>]+>$")
  fail("Maintainer '${Maintainer}' has no address")
endif()
if(NOT Description MATCHES "^[^\n]+\n .+")
  fail("Description has no summary line and text:\n${Description}")
endif()
# The libraries' packages come from the binary (dpkg-shlibdeps), each with the least version it
# needs; the fonts and the toolkit's translations are the player's.
foreach(want "libc6 \\(>= " "libstdc\\+\\+6 \\(>= " "libqt6core6 \\(>= " "libqt6widgets6 \\(>= "
             "libqt6multimedia6 \\(>= " "fonts-liberation2")
  if(NOT Depends MATCHES "(^|, )${want}")
    fail("Depends lacks ${want}: ${Depends}")
  endif()
endforeach()
foreach(want fonts-dejavu-core qt6-translations-l10n)
  if(NOT Recommends MATCHES "(^|, )${want}(,|$)")
    fail("Recommends lacks ${want}: ${Recommends}")
  endif()
endforeach()

# ---- The file list: exactly these files, owned by root, the program alone executable.
execute_process(COMMAND dpkg-deb -c "${deb}" OUTPUT_VARIABLE listing)
string(REPLACE "\n" ";" listing "${listing}")
set(files "")
foreach(line IN LISTS listing)
  if(line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^([-d])([rwx-]+) root/root +[0-9]+ [0-9-]+ [0-9:]+ \\./(.*)$")
    fail("not a root-owned file or folder: ${line}")
    continue()
  endif()
  set(type "${CMAKE_MATCH_1}")
  set(mode "${CMAKE_MATCH_2}")
  set(path "${CMAKE_MATCH_3}")
  if(type STREQUAL "d")
    if(NOT mode STREQUAL "rwxr-xr-x")
      fail("folder ${path} is ${mode}")
    endif()
    continue()
  endif()
  list(APPEND files "${path}")
  set(want_mode "rw-r--r--")
  if(path STREQUAL "usr/games/fishkodrom")
    set(want_mode "rwxr-xr-x")
  endif()
  if(NOT mode STREQUAL want_mode)
    fail("${path} is ${mode}, not ${want_mode}")
  endif()
endforeach()
list(SORT files)
set(expected
    usr/games/fishkodrom
    usr/lib/fishkodrom/libfishkodrom-audio.so
    usr/share/applications/fishkodrom.desktop
    usr/share/doc/fishkodrom/changelog.gz
    usr/share/doc/fishkodrom/copyright
    usr/share/fishkodrom/Звук1.wav
    usr/share/fishkodrom/Звук2.wav
    usr/share/fishkodrom/Звук3.wav
    usr/share/fishkodrom/Звук4.wav
    usr/share/icons/hicolor/64x64/apps/fishkodrom.png
    usr/share/icons/hicolor/64x64/mimetypes/application-x-fishkodrom-ticket.png
    usr/share/man/man6/fishkodrom.6.gz
    usr/share/metainfo/org.fishkodrom.Fishkodrom.metainfo.xml
    usr/share/mime/packages/fishkodrom.xml)
if(PHOTO)
  list(APPEND expected usr/lib/fishkodrom/libfishkodrom-photo.so)
endif()
list(SORT expected)
if(NOT files STREQUAL expected)
  string(REPLACE ";" "\n    " files_text "${files}")
  fail("the package holds:\n    ${files_text}")
endif()

# ---- Unpacked, it is an installed program like any other; its history names this version.
execute_process(COMMAND dpkg-deb -x "${deb}" "${root}/unpacked" RESULT_VARIABLE rc ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  give_up("dpkg-deb -x failed: ${out}")
endif()
set(prefix "${root}/unpacked/usr")
set(program games/fishkodrom)
execute_process(COMMAND gzip -dc "${prefix}/share/doc/fishkodrom/changelog.gz" OUTPUT_VARIABLE changelog)
if(NOT changelog MATCHES "^fishkodrom \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL VERSION)
  fail("the changelog's first entry is not ${VERSION}")
endif()
include("${SOURCE_DIR}/installed_checks.cmake")

file(REMOVE_RECURSE "${root}")
if(failures)
  message(FATAL_ERROR "Debian package ${deb}:\n${failures}")
endif()
