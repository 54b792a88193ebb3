#!/bin/sh
# Builds the Debian package, checks what it holds with Debian's own tools, installs it on this
# machine, checks that the desktop and the shell find what it installed, and takes it off again.
set -eu
cd "$(dirname "$0")/.."
sh scripts/build-package.sh
Deb=$(ls build-package/tessmira_*.deb)
Id=org.tessmira.Tessmira
fail() { echo "check-package: $*" >&2; exit 1; }

# What the package holds.
Listing=$(dpkg-deb -c "$Deb" | awk '{print $6}')
Expected="./usr/bin/tessmira ./usr/bin/tessmira-cli
 ./usr/share/applications/$Id.desktop ./usr/share/metainfo/$Id.metainfo.xml
 ./usr/share/mime/packages/$Id.xml ./usr/share/man/man1/tessmira.1.gz
 ./usr/share/man/man1/tessmira-cli.1.gz ./usr/share/doc/tessmira/copyright
 ./usr/share/doc/tessmira/changelog.gz ./usr/share/icons/hicolor/scalable/apps/$Id.svg
 ./usr/share/icons/hicolor/scalable/mimetypes/application-x-tessmira.svg"
for Size in 16 22 24 32 48 64 128 256; do
    Expected="$Expected ./usr/share/icons/hicolor/${Size}x$Size/apps/$Id.png
 ./usr/share/icons/hicolor/${Size}x$Size/mimetypes/application-x-tessmira.png"
done
for File in $Expected; do
    echo "$Listing" | grep -qx "$File" || fail "the package lacks $File"
done

# The files as the desktop's tools and Debian's checker read them.
Tree=$(mktemp -d)
trap 'rm -rf "$Tree"' EXIT
dpkg-deb -x "$Deb" "$Tree"
desktop-file-validate "$Tree/usr/share/applications/$Id.desktop"
appstreamcli validate --no-net "$Tree/usr/share/metainfo/$Id.metainfo.xml"
appstreamcli validate-tree --no-net "$Tree"
for Size in 16 22 24 32 48 64 128 256; do
    for Png in "$Tree"/usr/share/icons/hicolor/${Size}x$Size/*/*.png; do
        [ "$(identify -format %wx%h "$Png")" = "${Size}x$Size" ] || fail "$Png is not ${Size}x$Size"
    done
done
lintian --fail-on error --display-level ">=warning" "$Deb"

# Installed, the shell, the manual and the desktop find it.
export DEBIAN_FRONTEND=noninteractive
# A machine that had the package keeps it, as built now, when the check is done.
Had=$(dpkg-query -W -f='${Status}' tessmira 2>/dev/null | grep -c "install ok installed" || true)
apt-get install -y -qq "./$Deb"
[ "$(command -v tessmira-cli)" = /usr/bin/tessmira-cli ] || fail "tessmira-cli is not on PATH"
tessmira-cli --version
QT_QPA_PLATFORM=offscreen tessmira --version
man -w tessmira-cli
man -w tessmira
echo '{"items": [{"properties": {"BarcodeText": "590123412345"}}]}' |
    tessmira-cli build - "$Tree/label.TSM"
cp "$Tree/label.TSM" "$Tree/label.bin"
for File in label.TSM label.bin; do
    Type=$(xdg-mime query filetype "$Tree/$File")
    [ "$Type" = application/x-tessmira ] || fail "$File is $Type, not application/x-tessmira"
done
Handler=$(xdg-mime query default application/x-tessmira)
[ "$Handler" = "$Id.desktop" ] || fail ".TSM files open with '$Handler'"

# And it comes off again, leaving none of its files.
apt-get purge -y -qq tessmira
for File in $Expected; do
    [ ! -e "${File#.}" ] || fail "${File#.} is left after purge"
done
[ "$(xdg-mime query filetype "$Tree/label.bin")" != application/x-tessmira ] ||
    fail "the document type is still known after purge"
[ "$Had" = 0 ] || apt-get install -y -qq "./$Deb"
echo "check-package: $Deb is good"
