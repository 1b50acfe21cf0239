#!/usr/bin/env bash
# Checks the Debian package as a user's system would see it, without installing anything:
#   verifie_paquet.sh APP_ID VERSION PAQUET.deb
#   verifie_paquet.sh APP_ID VERSION --construit BUILD_DIR   (runs CPack into a temporary folder)
# The file list, the control fields, the desktop entry and the AppStream metadata through their
# validators, the icon named by the entry, the manual pages, and the unpacked orbitel-rapport.
set -euo pipefail

id=$1
version=$2
shift 2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echec=0
faute() {
    echo "FAUTE: $*" >&2
    echec=1
}

if [ "$1" = --construit ]; then
    "${CPACK:-cpack}" --config "$2/CPackConfig.cmake" -B "$tmp/cpack" >"$tmp/cpack.log" 2>&1 || {
        cat "$tmp/cpack.log" >&2
        exit 1
    }
    paquet=$(ls "$tmp"/cpack/orbitel_*.deb)
else
    paquet=$1
fi

arch=$(dpkg --print-architecture)
[ "$(basename "$paquet")" = "orbitel_${version}_${arch}.deb" ] || faute "package named $(basename "$paquet")"

# The files, exactly: a missing one or a stray one (a test program, a header) is a fault.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
attendu="./usr/bin/orbitel
./usr/bin/orbitel-rapport
./usr/share/applications/$id.desktop
./usr/share/doc/orbitel/copyright
./usr/share/icons/hicolor/scalable/apps/$id.svg
./usr/share/man/man1/orbitel-rapport.1.gz
./usr/share/man/man1/orbitel.1.gz
./usr/share/metainfo/$id.metainfo.xml"
obtenu=$(dpkg-deb -c "$paquet" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort)
[ "$obtenu" = "$attendu" ] || faute "file list differs:$(diff <(echo "$attendu") <(echo "$obtenu") | sed 's/^/ /')"
dpkg-deb -c "$paquet" | awk '$2 != "root/root" {exit 1}' || faute "files not owned by root"

champ() { dpkg-deb -f "$paquet" "$1"; }
[ "$(champ Package)" = orbitel ] || faute "Package: $(champ Package)"
[ "$(champ Version)" = "$version" ] || faute "Version: $(champ Version)"
[ "$(champ Section)" = science ] || faute "Section: $(champ Section)"
[ -n "$(champ Maintainer)" ] || faute "no Maintainer"
[ -n "$(champ Homepage)" ] || faute "no Homepage"
[ "$(dpkg-deb -f "$paquet" Description | wc -l)" -ge 3 ] || faute "no long description"
depends=$(champ Depends)
# Computed from the binaries by dpkg-shlibdeps, plus the window's font.
for d in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 'libstdc\+\+6' libc6 fonts-liberation; do
    grep -Eq "(^|, )$d( |,|$)" <<<"$depends" || faute "Depends lacks $d: $depends"
done
recommends=$(champ Recommends)
for d in fonts-comic-neue qt6-translations-l10n; do
    grep -Eq "(^|, )$d( |,|$)" <<<"$recommends" || faute "Recommends lacks $d: $recommends"
done

racine=$tmp/racine
dpkg-deb -x "$paquet" "$racine"
entree=$racine/usr/share/applications/$id.desktop
meta=$racine/usr/share/metainfo/$id.metainfo.xml
sortie=$(desktop-file-validate "$entree" 2>&1) || faute "desktop-file-validate: $sortie"
[ -z "$sortie" ] || faute "desktop-file-validate says: $sortie"
sortie=$(appstreamcli validate --no-net "$meta" 2>&1) || faute "appstreamcli validate: $sortie"
grep -qx "Icon=$id" "$entree" || faute "the desktop entry's Icon is not $id"
grep -qx "Exec=orbitel" "$entree" || faute "the desktop entry does not run orbitel"
[ -f "$racine/usr/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$entree").svg" ] ||
    faute "no icon file for Icon="
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" || faute "metainfo launches no $id.desktop"
grep -q "<id>$id</id>" "$meta" || faute "metainfo id is not $id"
grep -q "<project_license>GPL-3.0-or-later</project_license>" "$meta" || faute "metainfo licence"
# Software centres show the screenshot first: the window's picture, captioned in French too.
grep -q '<screenshot type="default">' "$meta" || faute "metainfo has no default screenshot"
grep -Eq '<image>https?://[^<]+</image>' "$meta" || faute "metainfo's screenshot names no picture address"
grep -q '<caption xml:lang="fr">[^<]' "$meta" || faute "metainfo's screenshot has no French caption"
grep -q "GPL-3.0-or-later" "$racine/usr/share/doc/orbitel/copyright" || faute "copyright names no licence"
grep -q "ELP 2000-82B" "$racine/usr/share/doc/orbitel/copyright" || faute "copyright omits the ELP source"
grep -q "Meeus" "$racine/usr/share/doc/orbitel/copyright" || faute "copyright omits Meeus"

# Manual pages: gzip -9n (no stored name nor time, so rebuilds are identical), clean under groff's
# warnings, and shown by man.
for page in orbitel orbitel-rapport; do
    gz=$racine/usr/share/man/man1/$page.1.gz
    entete=$(od -An -tx1 -N8 "$gz" | tr -d ' \n')
    [ "${entete:6:2}" = 00 ] && [ "${entete:8:8}" = 00000000 ] || faute "$page.1.gz keeps a name or a time ($entete)"
    avertissements=$(zcat "$gz" | groff -k -man -ww -z 2>&1) || faute "groff fails on $page(1)"
    [ -z "$avertissements" ] || faute "groff warns on $page(1): $avertissements"
    if command -v man >/dev/null; then
        rendu=$(MANWIDTH=80 man -l "$gz" 2>&1) || faute "man -l $page.1.gz fails"
        grep -q "^NOM" <<<"$rendu" || faute "man -l $page.1.gz shows no NOM section"
    fi
done
for option in --date --heure --latitude --longitude --saisie --format --fuseau --du --au --pas --phases --version --help; do
    zcat "$racine/usr/share/man/man1/orbitel-rapport.1.gz" | grep -q -- "${option//-/\\\\-}" ||
        faute "orbitel-rapport(1) does not document $option"
done

# The unpacked program runs from the package's own files.
rapport=$racine/usr/bin/orbitel-rapport
if "$rapport" --help 2>/dev/null | grep -q -- --version; then
    sortie=$("$rapport" --version) || faute "orbitel-rapport --version fails"
    [ "$sortie" = "orbitel-rapport $version" ] || faute "orbitel-rapport --version says: $sortie"
else
    "$rapport" --help >/dev/null || faute "orbitel-rapport --help fails"
fi
# The window's lines, with the place of a first run (no orbitel.ini yet), the locale and the zone.
sortie=$(HOME="$tmp" XDG_CONFIG_HOME="$tmp" "$rapport" --date 12/4/1992 --fuseau tu 2>&1) ||
    faute "orbitel-rapport fails: $sortie"
grep -q "^Latitude = " <<<"$sortie" || faute "orbitel-rapport says: $sortie"
file "$racine/usr/bin/orbitel" | grep -q "stripped" || faute "orbitel is not an executable"
file "$racine/usr/bin/orbitel" | grep -q "not stripped" && faute "orbitel is not stripped"

exit $echec
