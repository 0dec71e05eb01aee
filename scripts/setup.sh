# Installs what building Kormix needs on Debian 12, when something is missing.
# Sourced by run.sh and test.sh.

# fonts-liberation brings a face as wide as the one the windows were drawn for.
kormix_packages=(build-essential cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev
                 fonts-liberation)

kormix_install_missing() {
    local missing=()
    local pkg
    for pkg in "${kormix_packages[@]}"; do
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
        if ! command -v sudo >/dev/null 2>&1; then
            echo "Missing packages and no sudo to install them: ${missing[*]}" >&2
            return 1
        fi
        sudo="sudo"
    fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

kormix_build_release() {
    cmake --preset release
    cmake --build --preset release
}
