# Sourced by scripts/windows: builds Qt for Windows (qtbase, from Debian's own source of the Qt the
# Linux build uses) with mingw-w64 once, into a cache outside the checkout. The cache is keyed by the
# Qt version, the options below and the toolchain file, so a change to either builds a new Qt beside
# the old one.

QO_QT_VERSION=6.4.2
QO_QT_SOURCE_PACKAGE=qt6-base

# What the program and its tests use of Qt, and nothing else: every module or plugin left out here is
# minutes of a cold build on two cores.
QO_QT_OPTIONS=(
  -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  # The third-party libraries bundled in the source, not the build machine's.
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_pkg_config=OFF
  # The source tarball lacks wintab.h; the deployment tools are not ours to use.
  -DFEATURE_tabletevent=OFF -DFEATURE_androiddeployqt=OFF -DFEATURE_windeployqt=OFF
  -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_dbus=OFF
  -DFEATURE_openssl=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_brotli=OFF
  -DFEATURE_libproxy=OFF -DFEATURE_vulkan=OFF
  # No OpenGL: the program paints with the raster engine. Without dynamicgl off as well the
  # windows platform plugin does not compile.
  -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
  # Kept on: DirectWrite fonts (PrintSupport does not link without) and Qt Test (the suite uses it).
  -DFEATURE_direct2d=ON -DFEATURE_testlib=ON
)

qo_qt_key() {
  { echo "$QO_QT_VERSION"; printf '%s\n' "${QO_QT_OPTIONS[@]}"; grep -v '^#' "$root/cmake/mingw-w64-x86_64.cmake"; } |
    sha256sum | cut -c1-12
}

# Sets QO_QT_PREFIX to an installed Qt for Windows, building it when the cache has none.
qo_qt_windows() {
  local cache=$1 key dir src
  key=$(qo_qt_key)
  dir="$cache/qt-$QO_QT_VERSION-$key"
  QO_QT_PREFIX="$dir/prefix"
  if [ -f "$QO_QT_PREFIX/.complete" ]; then
    echo "Qt $QO_QT_VERSION for Windows: cached in $dir"
    qo_qt_translations
    return 0
  fi
  echo "Qt $QO_QT_VERSION for Windows: building into $dir (about 20 minutes on two cores)"
  src="$cache/src/qtbase-$QO_QT_VERSION"
  if [ ! -f "$src/CMakeLists.txt" ]; then
    qo_qt_fetch_source "$cache/src" "$src"
  fi
  rm -rf "$dir"
  mkdir -p "$dir"
  cmake -S "$src" -B "$dir/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$QO_QT_PREFIX" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${QO_QT_OPTIONS[@]}" >"$dir/configure.log" 2>&1 ||
    { tail -40 "$dir/configure.log" >&2; return 1; }
  cmake --build "$dir/build" -j "$(($(nproc) + 1))" >"$dir/build.log" 2>&1 ||
    { grep -B2 -A12 'FAILED:' "$dir/build.log" | head -60 >&2; return 1; }
  cmake --install "$dir/build" >"$dir/install.log" 2>&1 || { tail -20 "$dir/install.log" >&2; return 1; }
  # The build folder is a gigabyte and no second build reads it.
  rm -rf "$dir/build"
  touch "$QO_QT_PREFIX/.complete"
  qo_qt_translations
}

# The toolkit's Russian texts ("Да", "Нет", the file dialog) are the same file for every system: the
# build machine's copy of this Qt version's, where the Windows Qt looks for its translations.
qo_qt_translations() {
  mkdir -p "$QO_QT_PREFIX/translations"
  cp /usr/share/qt6/translations/qtbase_ru.qm "$QO_QT_PREFIX/translations/"
}

# Debian's source package of the same Qt, unpacked with Debian's patches applied. apt needs a
# deb-src entry; as root one is added beside the system's own entry when there is none.
qo_qt_fetch_source() {
  local where=$1 src=$2
  mkdir -p "$where"
  if ! (cd "$where" && ls ${QO_QT_SOURCE_PACKAGE}_${QO_QT_VERSION}*.dsc >/dev/null 2>&1) &&
    ! apt-get source --print-uris "$QO_QT_SOURCE_PACKAGE" >/dev/null 2>&1; then
    [ "$(id -u)" = 0 ] || { echo "apt has no deb-src entry for $QO_QT_SOURCE_PACKAGE; add one as root" >&2; return 1; }
    qo_add_deb_src
  fi
  (
    cd "$where"
    ls ${QO_QT_SOURCE_PACKAGE}_${QO_QT_VERSION}*.dsc >/dev/null 2>&1 ||
      apt-get source --download-only "$QO_QT_SOURCE_PACKAGE" >/dev/null 2>&1 ||
      { echo "apt-get source $QO_QT_SOURCE_PACKAGE failed" >&2; exit 1; }
    rm -rf "$src"
    dpkg-source -x ${QO_QT_SOURCE_PACKAGE}_${QO_QT_VERSION}*.dsc "$src" >/dev/null
  )
}

qo_add_deb_src() {
  local list=/etc/apt/sources.list.d/fishkodrom-src.sources system=/etc/apt/sources.list.d/debian.sources
  if [ -f "$system" ]; then
    sed 's/^Types:.*/Types: deb-src/' "$system" >"$list"
  else
    echo "deb-src http://deb.debian.org/debian $(. /etc/os-release && echo "$VERSION_CODENAME") main" \
      >/etc/apt/sources.list.d/fishkodrom-src.list
  fi
  apt-get update -qq
}
