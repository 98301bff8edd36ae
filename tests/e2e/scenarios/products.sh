# The fixture products' names and codes, shared by the package build and the scenarios.
# The suite's code sorts before its help pack's: the program takes the first record whose
# name begins with the product key, and both names do.
LO_NAME="LibreOffice 7.6.4.1"
LO_KEY="LibreOffice 7.6"
LO_VENDOR='SOFTWARE\The Document Foundation\LibreOffice'
LO_CODE="{3E1D5A20-7C4B-4F0E-9A61-2B8C0D4E6F01}"
LO_DWORD_CODE="{3E1D5A20-7C4B-4F0E-9A61-2B8C0D4E6F02}"
LO_FAILING_CODE="{3E1D5A20-7C4B-4F0E-9A61-2B8C0D4E6F03}"
LO_HELP_CODE="{B7C2E940-1D3F-4A85-8E26-5F9A0C1D2E01}"
# The family's other packages, and the French help pack once more under a code that
# sorts before the suite's: records enumerate by their key names.
LO_HELP_EARLY_CODE="{1B7C2E94-1D3F-4A85-8E26-5F9A0C1D2E02}"
LO_HELP_DE_CODE="{2C7C2E94-1D3F-4A85-8E26-5F9A0C1D2E03}"
LO_HELP_ES_CODE="{8D7C2E94-1D3F-4A85-8E26-5F9A0C1D2E04}"
LO_SDK_CODE="{C47C2E94-1D3F-4A85-8E26-5F9A0C1D2E05}"
LO_PUBLISHER="LibreOffice Test Publisher"
# Another publisher's package whose name begins with the suite's product key; it sorts
# before every record of the suite.
COMPANION_CODE="{0C7C2E94-1D3F-4A85-8E26-5F9A0C1D2E06}"
COMPANION_NAME="$LO_KEY Companion Tools"
COMPANION_DIR='C:\Program Files\Companion Tools'
HELP_UPGRADE_CODE="{4B17E523-5D91-4E69-BD96-7FD81CFA81BC}"
CO_NAME="Collabora Office 23.05.6.2"
CO_KEY="Collabora Office 23.05"
CO_VENDOR='SOFTWARE\Collabora\Collabora Office'
CO_CODE="{3E1D5A20-7C4B-4F0E-9A61-2B8C0D4E6F04}"
ZO_NAME="ZetaOffice 24.2.1.1"
ZO_KEY="ZetaOffice 24.2"
ZO_VENDOR='SOFTWARE\allotropia software GmbH\ZetaOffice'
ZO_CODE="{3E1D5A20-7C4B-4F0E-9A61-2B8C0D4E6F05}"
# The add-on: an uninstall record of its own, as an Inno Setup uninstaller writes it.
ADDON_RECORD='{E5A0B1C2-D3E4-4F56-8789-0A1B2C3D4E5F}_is1'
ADDON_NAME="LibreOffice Extension Demo 1.0"
ADDON_DIR='C:\Program Files\Demo Extension'
UPGRADE_CODE="{4B17E523-5D91-4E69-BD96-7FD81CFA81BB}"
