#!/usr/bin/env bash
# Builds the Debian package of the programs and checks it: scripts/package.sh [BUILD_DIR]
# (default build, the release tree scripts/test.sh also uses). Leaves BUILD_DIR/lh740_*.deb;
# install it with: apt install ./BUILD_DIR/lh740_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
bash scripts/deps.sh
bash scripts/build.sh "$dir"
rm -f "$dir"/lh740_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/lh740_*.deb)

# What a user needs is in it.
listing=$(dpkg-deb -c "$deb")
for file in usr/bin/lh740 usr/bin/lh740ctl usr/bin/lh740sim \
    usr/share/applications/lh740.desktop usr/share/mime/packages/lh740.xml \
    usr/share/metainfo/com.vornex.lh740.metainfo.xml \
    usr/share/icons/hicolor/48x48/apps/lh740.png usr/share/icons/hicolor/128x128/apps/lh740.png \
    usr/share/icons/hicolor/256x256/apps/lh740.png usr/share/man/man1/lh740.1.gz \
    usr/share/man/man1/lh740ctl.1.gz usr/share/man/man1/lh740sim.1.gz \
    usr/share/bash-completion/completions/lh740ctl usr/share/lh740/Program.ini \
    usr/share/lh740/English.qm usr/share/lh740/Chinese.qm usr/share/lh740/enHelp/index.html \
    usr/share/lh740/chHelp/index.html usr/share/lh740/startup.bmp \
    usr/share/doc/lh740/copyright usr/share/doc/lh740/changelog.gz \
    usr/share/doc/lh740/examples/60-lh740-cable.rules; do
    if ! grep -q " \./$file\$" <<<"$listing"; then
        echo "package.sh: $file is missing from $deb" >&2
        exit 1
    fi
done
dpkg-deb -f "$deb" Depends
# No errors from Debian's package checker (warnings are printed, not fatal).
lintian --fail-on error "$deb"
echo "$deb"
