# Sourced by the set-up scripts: install_missing PACKAGE... installs, with apt-get, the
# Debian packages of the list that are not installed yet, and nothing when all are.
install_missing() {
    local missing=() package sudo=""
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    ((${#missing[@]})) || return 0
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
