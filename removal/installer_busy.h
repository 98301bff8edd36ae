// Whether the Windows Installer is in the middle of another installation.
#pragma once

// The installer owns the mutex "Global\_MSIExecute" while it runs a transaction: true
// when another program owns it, when it exists but may not be opened by us, or when a
// wait on it fails; false when there is no such mutex or nobody owns it.
bool another_installation_in_progress();
