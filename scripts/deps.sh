# Installs the Debian packages the game needs to build, run and be tested, when any is
# missing. Sourced by play.sh and test.sh.

ORBELIUM_BUILD_PACKAGES=(
    cmake g++ make pkg-config gettext
    liballegro5-dev liballegro-image5-dev liballegro-ttf5-dev
    liballegro-audio5-dev liballegro-acodec5-dev
    libcairo2-dev libfreetype-dev libsndfile1-dev libjpeg62-turbo-dev libvorbis-dev libogg-dev
    fonts-liberation2
)
ORBELIUM_TEST_PACKAGES=(
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick tesseract-ocr tesseract-ocr-pol tesseract-ocr-eng
    python3 python3-xlib libopenal1 clang libclang-rt-dev openbox
    desktop-file-utils appstream dpkg-dev
    lintian devscripts man-db python3-debian
    gdb
)

orbelium_install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" </dev/null
}
