# Sourced by run.sh and test.sh: installs the Debian packages the build needs, if missing.
LK_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libqt6multimedia6 qt6-translations-l10n qt6-l10n-tools libcups2-dev
  libxcb1-dev libxcb-randr0-dev
  gstreamer1.0-plugins-base
  fonts-dejavu-core python3 python3-fonttools
)
LK_TEST_PACKAGES=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev qt6-pdf-dev
  clang libclang-rt-14-dev
  cups-daemon cups-client
  # A file system without unnamed temporary files (FUSE) for the print tests.
  bindfs
  # The full-screen tests on a real X server of their own (Qt's xcb platform
  # comes with libqt6gui6): the server, two window managers, real input, and
  # XFixes to read the pointer the server shows; what a stuck child was
  # doing: its stacks and the server's windows.
  xvfb openbox icewm xdotool libxcb-xfixes0-dev gdb x11-utils
  # A save killed on a disk that keeps no birth times: a small ext2 image.
  e2fsprogs
  # A class's folder on FAT, which keeps no modes or links: an image made by
  # mkfs.fat and mounted through fusefat (which the program refuses to
  # write), and the tests' own stand-in for FAT's rules, built on libfuse.
  fusefat dosfstools libfuse-dev
  # A private PulseAudio server (null sink) for the sound tests: one that
  # answers, one stopped, none at all.
  pulseaudio
)

lk_install_missing() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# LK_JOBS caps the parallel build and test jobs (default: all processors).
lk_jobs() { echo "${LK_JOBS:-$(nproc 2>/dev/null || echo 2)}"; }
