#!/usr/bin/env bash
# Installs a launcher for Linux desktops: Zorvik in the applications menu (and, with --desktop, on
# the desktop) with its icon. Files and folders dropped on the launcher are sorted by Zorvik under
# Wine; started alone it opens the settings.
#   scripts/install-launcher.sh [--desktop] [--no-build]
# Installs into ${XDG_DATA_HOME:-~/.local/share}: zorvik/ (Zorvik.exe, its Zorvik.INI once it has
# run, the icon, the start script, a Wine prefix of its own) and applications/zorvik.desktop.
# Reinstalling replaces the program and keeps the settings. ZORVIK_WINEPREFIX names another prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
on_desktop=0 build=1
for a in "$@"; do
    case $a in
    --desktop) on_desktop=1 ;;
    --no-build) build=0 ;;
    *) echo "usage: $0 [--desktop] [--no-build]" >&2; exit 2 ;;
    esac
done
if [ "$build" = 1 ]; then
    bash "$root/scripts/setup.sh" >&2
    bash "$root/scripts/build.sh" >&2
fi
source "$root/scripts/wine-env.sh"

# As scripts/run.sh: the shipped 32-bit program, or its 64-bit twin where 32-bit programs run
# emulated (zv_native32).
if zv_native32; then
    exe=$ZV_BUILD/Zorvik.exe wine=$ZV_WINE32 half=32
else
    exe=$ZV_BUILD/x64/Zorvik.exe wine=$ZV_WINE64 half=
    echo "note: 32-bit programs run emulated on this machine; installing the 64-bit build" >&2
fi
[ -f "$exe" ] || { echo "$exe is missing: run scripts/build.sh" >&2; exit 1; }

data=${XDG_DATA_HOME:-$HOME/.local/share}
app=$data/zorvik
prefix=${ZORVIK_WINEPREFIX:-$app/wine}
case $app$prefix in *$'\n'*) echo "a newline in $app or $prefix" >&2; exit 1 ;; esac
mkdir -p "$app" "$data/applications"
cp "$exe" "$app/Zorvik.exe.new" && mv -f "$app/Zorvik.exe.new" "$app/Zorvik.exe"
cp "$root/res/Zorvik.png" "$app/Zorvik.png"

# Wine takes its ANSI code page from the locale: Zorvik needs Japanese (932).
locpath=
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    mkdir -p "$app/locale"
    [ -f "$app/locale/ja_JP.UTF-8/LC_CTYPE" ] || localedef -i ja_JP -f UTF-8 "$app/locale/ja_JP.UTF-8" 2>/dev/null || true
    locpath=$app/locale
fi

q() { printf '%q' "$1"; }
cat >"$app/zorvik-launch" <<EOF
#!/usr/bin/env bash
# Starts Zorvik under Wine on the given files and folders, their Linux paths given as Z:\\ paths.
set -euo pipefail
export WINEPREFIX=$(q "$prefix") LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
${locpath:+export LOCPATH=$(q "$locpath")}
args=()
for f in "\$@"; do
    # Absolute, but a link is passed as itself, never as its target.
    p=\$(realpath -ms -- "\$f")
    args+=("Z:\${p//\\//\\\\}")
done
exec $(q "$wine") $(q "$app/Zorvik.exe") "\${args[@]}"
EOF
chmod +x "$app/zorvik-launch"

# A Wine prefix of its own, made now rather than on the first drop.
if [ ! -f "$prefix/system.reg" ]; then
    echo "install-launcher: making the Wine prefix $prefix" >&2
    WINEPREFIX=$prefix zv_boot $half
fi

# The Exec key: the path in double quotes, with \ " ` $ escaped inside them, then every backslash
# doubled as the key's string escaping wants, and % doubled as field codes want.
exec_arg() {
    local s=$1
    s=${s//\\/\\\\}; s=${s//\"/\\\"}; s=${s//\`/\\\`}; s=${s//\$/\\\$}
    s=${s//\\/\\\\}; s=${s//%/%%}
    printf '"%s"' "$s"
}
string_value() { local s=${1//\\/\\\\}; printf '%s' "$s"; }
entry=$data/applications/zorvik.desktop
cat >"$entry" <<EOF
[Desktop Entry]
Type=Application
Version=1.4
Name=Zorvik
GenericName=Desktop sorter
GenericName[ja]=デスクトップ整理
Comment=Sorts the files dropped on it into folders by extension; started alone, opens its settings
Comment[ja]=ドロップされたファイルを拡張子ごとのフォルダへ移動します。単独で起動すると設定を開きます
Icon=$(string_value "$app/Zorvik.png")
Exec=$(exec_arg "$app/zorvik-launch") %F
Terminal=false
Categories=Utility;FileTools;
StartupWMClass=zorvik.exe
EOF
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry"
fi
echo "installed $entry"

if [ "$on_desktop" = 1 ]; then
    desk=$(xdg-user-dir DESKTOP 2>/dev/null || true)
    desk=${desk:-$HOME/Desktop}
    mkdir -p "$desk"
    install -m 755 "$entry" "$desk/zorvik.desktop"
    # GNOME starts a desktop launcher only once it is marked trusted.
    gio set "$desk/zorvik.desktop" metadata::trusted true 2>/dev/null || true
    echo "installed $desk/zorvik.desktop"
fi
