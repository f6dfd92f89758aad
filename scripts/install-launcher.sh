#!/usr/bin/env bash
# Makes the editor reachable as users expect: the command `quirel [FILE.4tf]` on the PATH, and a
# desktop launcher with the program's icon that opens *.4tf documents.
# Usage: install-launcher.sh PATH/TO/BUILT/quirel ICON.png   (as root; idempotent)
set -euo pipefail
program=$(readlink -f "$1")
icon=$(readlink -f "$2")
prefix=${QUIREL_PREFIX:-/usr/local}

install -d "$prefix/bin" "$prefix/share/applications" "$prefix/share/icons/hicolor/256x256/apps" \
  "$prefix/share/mime/packages"
ln -sf "$program" "$prefix/bin/quirel"
install -m 644 "$icon" "$prefix/share/icons/hicolor/256x256/apps/quirel.png"

cat > "$prefix/share/mime/packages/quirel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="application/x-quirel-document">
    <comment>Documento de Quirel</comment>
    <glob pattern="*.4tf"/>
  </mime-type>
</mime-info>
XML

cat > "$prefix/share/applications/quirel.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Quirel
GenericName=Procesador de textos
Comment=Escribe documentos en español con corrector ortográfico
Exec=$prefix/bin/quirel %f
Icon=quirel
Terminal=false
Categories=Office;WordProcessor;
MimeType=application/x-quirel-document;
Keywords=texto;documento;ortografía;
DESKTOP

# Refresh the desktop's caches where the tools are present.
command -v update-mime-database >/dev/null && update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || true
command -v update-desktop-database >/dev/null && update-desktop-database "$prefix/share/applications" >/dev/null 2>&1 || true
exit 0
