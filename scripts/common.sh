# Shared by the project's commands: what CMake cannot do for them (installing packages, the
# Wine prefix, the X server), and the preset through which they configure, build and test.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
COMMAND=("$0" "$@")  # the command that sourced this file, to start it again as another user
# Two targets from one source, each in a folder of its own under the build root: i686, the pair
# we ship, and x64. CMakePresets.json has a preset of each name building in build/<target>;
# ALTROWTINT_BUILD picks another root (for parallel work) through "<target>-elsewhere".
TARGETS=(i686 x64)
if [ -n "${ALTROWTINT_BUILD:-}" ]; then
    ALTROWTINT_BUILD=$(realpath -m "$ALTROWTINT_BUILD")  # the preset reads it from the source dir
    export ALTROWTINT_BUILD
    BUILD_ROOT=$ALTROWTINT_BUILD PRESET_SUFFIX=-elsewhere
else
    BUILD_ROOT=$ROOT/build PRESET_SUFFIX=
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE64_TOOLS=$ROOT/scripts/wine64
SYSTEM_PATH=${PATH//"$WINE64_TOOLS:"/}  # a script started from an x64 shell finds the system's wine

# Points the build folder, preset and Wine of this shell at one target (in BUILD_ROOT, or in the
# build folder given): each has its own Wine prefix. Debian's wine picks the 32-bit loader
# whenever the 32-bit Wine is installed, so x64 calls the 64-bit loader and server itself, through
# the two small scripts in scripts/wine64 put first on PATH.
use_target() {
    TARGET=$1 BUILD=${2:-$BUILD_ROOT/$1} PRESET=$1$PRESET_SUFFIX
    export WINEPREFIX="$BUILD/wineprefix"
    if [ "$TARGET" = x64 ]; then
        export WINEARCH=win64 PATH="$WINE64_TOOLS:$SYSTEM_PATH"
    else
        export WINEARCH=win32 PATH=$SYSTEM_PATH
    fi
}

# Whether this machine runs 32-bit programs: the 32-bit Wine loader starts. Sets RUNS_32BIT to yes
# or no, for no WHY_NOT_32BIT, and RUNNABLE_TARGETS; exported, so that the scripts a command starts ask no more.
# ALTROWTINT_RUNS_32BIT=no set beforehand tries out the other way on a machine that could.
check_32bit_support() {
    RUNS_32BIT=${ALTROWTINT_RUNS_32BIT:-} WHY_NOT_32BIT=${ALTROWTINT_WHY_NOT_32BIT:-}
    if [ -z "$RUNS_32BIT" ]; then
        local loader=/usr/lib/wine/wine status=0
        "$loader" --version >/dev/null 2>&1 || status=$?
        RUNS_32BIT=no
        case $status in
        0) RUNS_32BIT=yes ;;
        126) WHY_NOT_32BIT="no 32-bit support in its kernel" ;;  # "Exec format error"
        127) WHY_NOT_32BIT="the 32-bit Wine is not installed" ;;
        *) WHY_NOT_32BIT="the 32-bit Wine loader fails with status $status" ;;
        esac
    fi
    [ "$RUNS_32BIT" = yes ] || WHY_NOT_32BIT=${WHY_NOT_32BIT:-as asked by ALTROWTINT_RUNS_32BIT}
    export ALTROWTINT_RUNS_32BIT=$RUNS_32BIT ALTROWTINT_WHY_NOT_32BIT=$WHY_NOT_32BIT
    RUNNABLE_TARGETS=(x64)  # the shipped target first where it runs
    [ "$RUNS_32BIT" = no ] || RUNNABLE_TARGETS=(i686 x64)
}

# Says in one line which targets run here, and why not i686 when it cannot.
say_what_runs() {
    check_32bit_support
    if [ "$RUNS_32BIT" = yes ]; then
        step "this machine runs 32-bit programs: the i686 pair runs under 32-bit Wine, the x64" \
            "pair under 64-bit Wine"
    else
        step "this machine cannot run 32-bit programs ($WHY_NOT_32BIT): the 32-bit pair is" \
            "built and checked as files; tests, demo and benchmark run the x64 pair under" \
            "64-bit Wine"
    fi
}

step() { printf '==> %s\n' "$*"; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

# Sets the caller's as_root to the prefix that runs a command as root: nothing for root, sudo
# (asked for here, naming the job) for anyone else. Stops with the command to run as root when
# there is no way to root.
ask_root() {
    local job=$1 cmd=$2
    as_root=()
    [ "$(id -u)" -eq 0 ] && return 0
    command -v sudo >/dev/null || die "$job needs root. As root, run: $cmd"
    step "$job needs root; asking sudo"
    sudo -v || die "sudo gave no root rights. As root, run: $cmd"
    as_root=(sudo)
}

# Installs the Debian packages given (names with :arch allowed) that are not installed yet:
# as root directly, as any other user through sudo, which is asked for this step only.
ensure_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local cmd="dpkg --add-architecture i386 && apt-get update && apt-get install -y ${missing[*]}"
    command -v apt-get >/dev/null || die "missing packages: ${missing[*]}, and no apt-get here"
    local as_root=()
    ask_root "installing ${missing[*]}" "$cmd"
    step "installing ${missing[*]} (this takes a few minutes on a fresh machine)"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${as_root[@]}" dpkg --add-architecture i386 || die "adding i386 failed; as root, run: $cmd"
    fi
    # A mirror in the middle of a sync fails one index now and then; the indexes it had still
    # serve, and the install below says plainly what they cannot.
    "${as_root[@]}" apt-get update -q ||
        step "apt-get update failed for some index (see above); going on with what apt has"
    apt_install "${missing[@]}" && return 0
    # Without the 32-bit packages everything but the i686 run still works: its tests are then
    # reported as skipped, with the reason.
    local native=()
    for p in "${missing[@]}"; do [[ $p == *:i386 ]] || native+=("$p"); done
    [ ${#native[@]} -lt ${#missing[@]} ] || die "installing failed; as root, run: $cmd"
    step "the 32-bit packages cannot be installed now; installing the others"
    [ ${#native[@]} -eq 0 ] || apt_install "${native[@]}" || die "installing failed; as root, run: $cmd"
}

apt_install() {
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@"
}

# Makes the system locale given (ja_JP.UTF-8, say) with Debian's locales when it is missing.
ensure_locale() {
    local name=$1 line="$1 ${1#*.}"
    locale -a 2>/dev/null | grep -qix "${name/UTF-8/utf8}" && return 0
    local cmd="grep -qx '$line' /etc/locale.gen || echo '$line' >>/etc/locale.gen; locale-gen"
    local as_root=()
    ask_root "making the locale $name" "$cmd"
    step "making the locale $name"
    "${as_root[@]}" sh -c "$cmd" >/dev/null || die "making the locale failed; as root, run: $cmd"
}

# Started through sudo, a command needs root only for the packages: it goes on as the user who
# called sudo, so that the build folder and the Wine prefix stay theirs. A checkout that is not
# theirs (one of root's, say) is built by root, who owns it.
continue_as_invoking_user() {
    [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ] || return 0
    [ "$(stat -c %U "$ROOT")" = "$SUDO_USER" ] || return 0
    step "going on as $SUDO_USER (root was needed only to install packages)"
    exec runuser -u "$SUDO_USER" -- "${COMMAND[@]}"
}

# Wine refuses a prefix that is not the user's ("wineprefix is not owned by you"), and a build
# folder holding someone else's files fails in the middle: say so at once, with the fix.
check_build_owner() {
    local stranger owner me
    stranger=$(find "$BUILD" ! -uid "$(id -u)" -print -quit 2>/dev/null) || true
    [ -z "$stranger" ] && return 0
    owner=$(stat -c %U "$stranger") me=$(id -un)
    [ "$me" != root ] ||
        die "$stranger belongs to $owner: run this command as $owner (sudo -u $owner $0)," \
            "or take the build folder over with: chown -R root: $BUILD"
    die "$stranger belongs to $owner, not to $me. Make the build folder yours with:" \
        "sudo chown -R $me: $BUILD"
}

BASE_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix wine wine32:i386 wine64 xvfb xauth cmake
    ninja-build googletest)

# The demo shows the host as a Japanese user sees it: a Wine prefix of its own with a Japanese
# locale and a Japanese UI font (IPAexGothic: one 6 MB font file, the smallest of Debian's that
# serve). The tests keep the Western prefix above (code page 1252) on purpose.
DEMO_LOCALE=ja_JP.UTF-8
DEMO_FONT=IPAexGothic
DEMO_PACKAGES=(locales fonts-ipaexfont-gothic fonts-wine)
# The names a Japanese system's dialogs, menus and captions ask for, all shown in DEMO_FONT.
DEMO_FONT_NAMES=("MS UI Gothic" "MS Gothic" "MS PGothic" "ＭＳ ゴシック" "ＭＳ Ｐゴシック")

# Runs a command in the source folder, where cmake and ctest look for the presets.
in_root() {
    (cd "$ROOT" && "$@")
}

# Configures (once) and builds the current target's tree; progress lines are left out, errors
# shown.
build_tree() {
    check_build_owner
    mkdir -p "$BUILD"
    if [ ! -f "$BUILD/build.ninja" ]; then
        step "configuring $TARGET ($BUILD)"
        in_root cmake --preset "$PRESET" >"$BUILD/configure.log" 2>&1 ||
            { cat "$BUILD/configure.log"; die "configure failed"; }
    fi
    step "building $TARGET"
    in_root cmake --build --preset "$PRESET" | { grep -v '^\[' || true; } ||
        die "build failed (see the errors above)"
}

# Builds every target: the 32-bit pair is built, and checked as files, also where it cannot run.
build_all_targets() {
    local target
    for target in "${TARGETS[@]}"; do
        use_target "$target"
        build_tree
    done
}

# Prefixes whose wineserver this shell started, stopped when it ends.
STARTED_PREFIXES=()
stop_wine() {
    local entry
    for entry in "${STARTED_PREFIXES[@]}"; do
        (use_target "${entry%%:*}" && export WINEPREFIX=${entry#*:} && wineserver -k) \
            >/dev/null 2>&1 || true
    done
}

# Marks a prefix set up as start_wine sets it up; a new name when that changes, so that a prefix
# made before is set up again once.
PREFIX_READY=.altrowtint-ready-2

# Starts one wineserver for this run in the current target's prefix and boots the prefix before
# anything else uses it, with its output going nowhere: Wine's helper processes must not hold a
# test runner's pipes open.
start_wine() {
    command -v wine >/dev/null || die "wine is not installed"
    check_build_owner
    if [ "$TARGET" = i686 ]; then
        check_32bit_support
        [ "$RUNS_32BIT" = yes ] || die "this machine cannot run 32-bit programs ($WHY_NOT_32BIT)"
    fi
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/$PREFIX_READY" ]; then
        step "preparing the $TARGET Wine prefix ($WINEPREFIX)"
        wine wineboot -u </dev/null >/dev/null 2>&1
        # No window manager under Xvfb: unmanaged windows close at once. No debugger and no
        # crash dialog: a program that faults ends at once with the fault's code after Wine's
        # one "Unhandled" line, which the tests count as a failure; the debugger could end it
        # with status 0 instead, or wait.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            </dev/null >/dev/null 2>&1
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger \
            /d "" /f </dev/null >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/$PREFIX_READY"
    fi
    wineserver -p 2>/dev/null || true  # one may be running already: reuse it
    STARTED_PREFIXES+=("$TARGET:$WINEPREFIX")
    trap stop_wine EXIT
    wine wineboot </dev/null >/dev/null 2>&1
}

# Like start_wine, in the demo's prefix. Its fonts are set up once: dialog fonts go to the
# Japanese font, and Wine's own Marlett (the caption buttons' symbols) is put where Wine looks,
# since this Wine does not load the fonts of its own data folder: without it the buttons show
# the letters "0 1 r" in another font.
start_demo_wine() {
    export WINEPREFIX="$BUILD/wineprefix-demo" LC_ALL=$DEMO_LOCALE
    start_wine
    [ ! -f "$WINEPREFIX/.altrowtint-demo-ready" ] || return 0
    step "giving the demo prefix its fonts"
    local name fonts='HKCU\Software\Wine\Fonts\Replacements'
    local substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    for name in "${DEMO_FONT_NAMES[@]}"; do
        wine reg add "$fonts" /v "$name" /d "$DEMO_FONT" /f </dev/null >/dev/null 2>&1
    done
    for name in "MS Shell Dlg" "MS Shell Dlg 2"; do
        wine reg add "$substitutes" /v "$name" /d "MS UI Gothic" /f </dev/null >/dev/null 2>&1
    done
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" ||
        die "Wine's Marlett font is missing (package fonts-wine)"
    touch "$WINEPREFIX/.altrowtint-demo-ready"
}
