# Shared by start.sh and sample-profile.sh: sourced from the repository root, not run.

# Installs what is missing and builds build/ (incremental).
build_program() {
    bash scripts/setup.sh
    bash scripts/build.sh >/dev/null
}

has_display() {
    [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]
}

# use_sample_profile FOLDER [--reset]: builds the sample profile in FOLDER unless it holds
# one (scripts/sample_profile.py), points this shell's environment at it and sets program
# to a copy of the executable in FOLDER/bin, beside a copy of merivane-cli. The programs
# keep config.ini beside their executables, so the profile's settings stay in the profile
# and the command line reads the window's.
use_sample_profile() {
    local root=$1 exports
    shift
    exports=$(python3 scripts/sample_profile.py "$@" "$root")
    eval "$exports"
    # Qt falls back to a folder in /tmp without one; a desktop session has its own.
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        export XDG_RUNTIME_DIR=$root/run
        mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
    fi
    mkdir -p "$root/bin"
    # Renewed on every start; a rename works even while an older copy still runs.
    local name
    for name in app/Merivane cli/merivane-cli; do
        cp "build/$name" "$root/bin/.${name#*/}.new"
        mv -f "$root/bin/.${name#*/}.new" "$root/bin/${name#*/}"
    done
    program=$root/bin/Merivane
}
