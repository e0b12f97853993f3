# Shared by scripts/run and scripts/test: makes sure the Debian packages the project needs are here.
# Sourced, not run. As root it installs what is missing; otherwise it prints the line to run and fails.

QO_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  qt6-speech-dev qt6-declarative-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
  qt6-translations-l10n
  xvfb openbox xdotool x11-xkb-utils x11-utils wmctrl
  dpkg-dev file lintian desktop-file-utils appstream shared-mime-info
  poppler-utils espeak-ng
  libopencv-dev
)
# libopencv-dev: reading tickets from a picture ("Билеты с фото..."), built where OpenCV is found.

qo_ensure_packages() {
  local missing=() p
  for p in "${QO_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" != 0 ]; then
    echo "Missing packages. Run as root:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq "${missing[@]}" >/dev/null
}
