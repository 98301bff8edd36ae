# The fonts folder recorded through a second drive letter that maps the Windows folder
# ("F:\Fonts\"): the same folder, so it stays whole as in fonts_folder.sh.
ln -s ../drive_c/windows "$E2E_PREFIX/dosdevices/f:"
FONTS_SPELLING='F:\Fonts\'
. "$(dirname "${BASH_SOURCE[0]}")/fonts_folder.sh"
