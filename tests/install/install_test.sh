#!/usr/bin/env bash
# Installs a build into a temporary DESTDIR and runs the installed lh740ctl and lh740sim from
# there with a fresh configuration folder, as an ordinary user when run as root, against a
# read-only installed Program.ini: tests/install/install_test.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
chmod 755 "$root"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr
share=$usr/share/lh740
for file in bin/lh740 bin/lh740ctl bin/lh740sim share/lh740/Program.ini share/lh740/English.qm \
    share/lh740/Chinese.qm share/lh740/startup.bmp share/lh740/enHelp/index.html \
    share/lh740/chHelp/index.html share/applications/lh740.desktop \
    share/icons/hicolor/256x256/apps/lh740.png share/man/man1/lh740ctl.1.gz \
    share/bash-completion/completions/lh740ctl share/doc/lh740/examples/60-lh740-cable.rules; do
    [ -e "$usr/$file" ] || fail "not installed: $file"
done
[ ! -e "$usr/bin/Program.ini" ] || fail "Program.ini beside the installed programs"

# As a package installs it: owned by root, nobody else may write.
chmod -R a-w "$share"
before=$(sha256sum <"$share/Program.ini")
home=$root/home
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$home"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
run() {
    (cd "$home" && "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$home" \
        XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$@")
}

[ "$(run "$usr/bin/lh740ctl" config get Setup Language)" = English ] || fail "config get"
run "$usr/bin/lh740ctl" config set Setup Language Chinese >/dev/null || fail "config set"
[ "$(run "$usr/bin/lh740ctl" config get Setup Language)" = Chinese ] || fail "set not read back"
[ "$(sha256sum <"$share/Program.ini")" = "$before" ] || fail "installed Program.ini changed"
copy=$home/config/lh740/Program.ini
[ -f "$copy" ] || fail "no user copy"
# The copy keeps every other setting of the installed file.
[ "$(grep -c = "$copy")" -eq "$(grep -c = "$share/Program.ini")" ] || fail "copy lost settings"

# The installed simulated radio serves the installed tool.
run "$usr/bin/lh740sim" --once >"$home/sim.txt" &
sim=$!
for _ in $(seq 50); do
    [ -s "$home/sim.txt" ] && break
    sleep 0.1
done
port=$(head -n 1 "$home/sim.txt")
run "$usr/bin/lh740ctl" read --quiet --port "$port" -o "$home/radio.dat" || fail "read from lh740sim"
wait "$sim" || fail "lh740sim"
run "$usr/bin/lh740ctl" channels "$home/radio.dat" | grep -q '^1 ' || fail "channels"
echo "installed programs work from $usr"
