#!/usr/bin/env bash
# Checks what a school computer gets: the files that `cmake --install` puts into a temporary
# root (mode "install"), or that the Debian package built by CPack holds (mode "deb"). Both
# validate the desktop entry and the file types and run the installed vellar-cli on an
# installed example.
#   package_test.sh install|deb BUILD_DIR VERSION
set -euo pipefail
mode=$1
build=$(cd "$2" && pwd)
version=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FEHLER: $*" >&2
  failures=$((failures + 1))
}

root=$work/root
case $mode in
  install)
    DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log"
    ;;
  deb)
    (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log") ||
      { cat "$work/cpack.log" >&2; exit 1; }
    deb=$work/deb/vellard_${version}_amd64.deb
    [ -f "$deb" ] || { ls "$work/deb" >&2; echo "FEHLER: $deb fehlt" >&2; exit 1; }
    [ "$(dpkg-deb -f "$deb" Package)" = vellard ] || fail "Paketname"
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Paketversion"
    depends=$(dpkg-deb -f "$deb" Depends)
    # From dpkg-shlibdeps, and the non-library parts of Qt we name ourselves.
    for dep in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libc6 libstdc++6 \
      qt6-qpa-plugins qt6-translations-l10n fonts-liberation; do
      [[ $depends == *"$dep"* ]] || fail "Depends ohne $dep: $depends"
    done
    dpkg -x "$deb" "$root"
    # Nothing from the build may slip into the package.
    extra=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -Ev '^\./usr/(bin|share)(/|$)|^\./(usr/)?$' || true)
    [ -z "$extra" ] || fail "unerwartete Dateien im Paket: $extra"
    ;;
  *)
    echo "Aufruf: $0 install|deb BUILD_DIR VERSION" >&2
    exit 2
    ;;
esac

usr=$root/usr
share=$usr/share
expect_file() {
  [ -f "$1" ] || fail "fehlt: ${1#"$root"}"
}

# The files, in the usual places.
for f in bin/vellar bin/vellar-cli; do
  expect_file "$usr/$f"
  [ -x "$usr/$f" ] || fail "nicht ausführbar: $f"
done
for f in firmware.mpd firmware.mps zaehler.ras bubble.ras betrag.ras summe.ras mult.ras; do
  expect_file "$share/vellard/examples/$f"
done
for f in README.md befehlssatz.md fenster.png; do expect_file "$share/doc/vellard/$f"; done
expect_file "$share/applications/vellar.desktop"
expect_file "$share/mime/packages/vellard.xml"
expect_file "$share/man/man1/vellar.1.gz"
expect_file "$share/man/man1/vellar-cli.1.gz"
expect_file "$share/bash-completion/completions/vellar-cli"
expect_file "$share/icons/hicolor/scalable/apps/vellar.svg"
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/vellar.png
  expect_file "$png"
  [ -f "$png" ] && ! file "$png" | grep -q "PNG image data, $size x $size," &&
    fail "$png ist kein PNG von $size x $size Pixeln: $(file -b "$png")"
done

# The desktop entry: valid, and it declares exactly the file types we install.
desktop=$share/applications/vellar.desktop
if ! desktop-file-validate "$desktop" >"$work/validate.log" 2>&1 ||
  grep -Eq '(error|warning):' "$work/validate.log"; then
  fail "desktop-file-validate: $(cat "$work/validate.log")"
fi
grep -qx 'Exec=vellar %F' "$desktop" || fail "Exec-Zeile"
grep -qx 'Categories=Education;Science;ComputerScience;' "$desktop" || fail "Kategorien"
declared=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' '\n' | sed '/^$/d' | sort)

# The file types: well-formed, accepted by update-mime-database, our globs win, German names.
xml=$share/mime/packages/vellard.xml
xmllint --noout "$xml" || fail "vellard.xml ist kein gültiges XML"
types=$(xmllint --xpath '//*[local-name()="mime-type"]/@type' "$xml" | sed 's/ type="\([^"]*\)"/\1\n/g' | sed '/^$/d' | sort)
# The window opens every type, the task too.
[ "$types" = "$declared" ] || fail "Desktop-Eintrag und MIME-Typen passen nicht: $declared / $types"
mkdir -p "$work/mime/packages"
cp "$xml" "$work/mime/packages/"
XDG_DATA_DIRS=$work XDG_DATA_HOME=$work update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || fail "update-mime-database: $(cat "$work/mime.log")"
[ -s "$work/mime.log" ] && fail "update-mime-database meldet: $(cat "$work/mime.log")"
for ext in mpd mps ras rad ram erm aufgabe; do
  grep -qx "80:application/x-vellard-$ext:\*\.$ext" "$work/mime/globs2" ||
    fail "kein Muster *.$ext mit Gewicht 80 in globs2"
  comment=$(xmllint --xpath "string(//*[@type='application/x-vellard-$ext']/*[local-name()='comment'][@xml:lang='de'])" "$xml")
  [[ $comment == VellarD-* ]] || fail "keine deutsche Beschreibung für .$ext: '$comment'"
done

# The manual pages: German, with the version, and without a warning from man.
for page in vellar vellar-cli; do
  gz=$share/man/man1/$page.1.gz
  [ -f "$gz" ] || continue
  zcat "$gz" | grep -q "\"VellarD $version\"" || fail "$page.1 nennt die Version $version nicht"
  warnings=$(MANWIDTH=80 man --warnings -l "$gz" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || fail "man meldet zu $page.1: $warnings"
  MANWIDTH=80 man -l "$gz" 2>/dev/null | grep -q "BEZEICHNUNG" || fail "$page.1 ist nicht lesbar"
done
for option in run convert list asm lint grade --mode --max-clocks --set --mem --trace --back \
  --dump --save-ram --expect --view --task --cases --csv --version; do
  zcat "$share/man/man1/vellar-cli.1.gz" | grep -q -- "${option//-/\\\\-}" ||
    fail "vellar-cli.1 erklärt $option nicht"
done
for option in /S /B /P /T /K /16 zoom; do
  zcat "$share/man/man1/vellar.1.gz" | grep -q -- "$option" || fail "vellar.1 erklärt $option nicht"
done

# The installed vellar-cli on an installed example.
cli=$usr/bin/vellar-cli
examples=$share/vellard/examples
out=$("$cli" --version) || fail "vellar-cli --version scheitert"
[ "$out" = "vellar-cli (VellarD) $version" ] || fail "vellar-cli --version: '$out'"
out=$("$cli" run --mps "$examples/firmware.mpd" --ram "$examples/zaehler.ras" \
  --expect "AX=FF [F0]=00 SF=1 STOP=halt") || fail "vellar-cli run auf zaehler.ras: $out"
[[ $out == "AX=FF "*"STOP=halt" ]] || fail "vellar-cli run: '$out'"

# The completion offers the subcommands, the micro-program files for --mps and for lint, and
# the options of run.
completion=$(cd "$examples" && bash -c '
  source "$1"
  COMP_WORDS=(vellar-cli l); COMP_CWORD=1; _vellar_cli; echo "${COMPREPLY[*]}"
  COMP_WORDS=(vellar-cli run --mps f); COMP_CWORD=3; _vellar_cli; printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "
  COMP_WORDS=(vellar-cli lint f); COMP_CWORD=2; _vellar_cli; printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "
  COMP_WORDS=(vellar-cli run --t); COMP_CWORD=2; _vellar_cli; echo "${COMPREPLY[*]}"
' _ "$share/bash-completion/completions/vellar-cli")
[ "$completion" = $'list lint link\nfirmware.mpd firmware.mps firmware.mpd firmware.mps --trace' ] ||
  fail "Vervollständigung: '$completion'"

if [ "$failures" -ne 0 ]; then
  echo "$failures Fehler ($mode)" >&2
  exit 1
fi
echo "Paketprüfung ($mode) bestanden"
