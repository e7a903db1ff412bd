# Sourced by the build scripts: installs the Debian packages the project needs, only those
# that are missing, so a machine that has them all builds without touching apt.

Q804_PACKAGES=(
    build-essential cmake pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libhidapi-dev libudev-dev
    xvfb xauth xdotool trayer
    usb.ids linux-libc-dev
    clang libclang-rt-14-dev
)

q804_ensure_packages() {
    local missing=()
    local pkg
    for pkg in "${Q804_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null | grep -qx installed; then
            missing+=("$pkg")
        fi
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    local sudo=()
    if ((EUID != 0)); then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

q804_jobs() {
    nproc 2>/dev/null || echo 2
}
