# Sourced by the scripts that run the Windows game under Wine.
# make_wine_prefix WINE LOG: makes a fresh prefix in $WINEPREFIX in which the
# game's faces map to IPA Gothic, so that Japanese shows, and Wine draws the
# frames itself, so that a shot of a window holds its caption. Wine's own
# output goes to LOG.
make_wine_prefix() {
  "$1" wineboot -i >"$2" 2>&1 || { echo "wineboot could not make a prefix (see $2)" >&2; return 1; }
  {
    printf '\357\273\277Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in 'ＭＳ ゴシック' 'MS Gothic' 'MS UI Gothic'; do printf '"%s"="IPAGothic"\r\n' "$face"; done
    for face in 'ＭＳ Ｐゴシック' 'MS PGothic'; do printf '"%s"="IPAPGothic"\r\n' "$face"; done
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n'
  } | iconv -f UTF-8 -t UTF-16LE >"$WINEPREFIX/settings.reg"
  "$1" regedit /S "$WINEPREFIX/settings.reg" >>"$2" 2>&1 || { echo "regedit refused the settings (see $2)" >&2; return 1; }
}
