// Whether the Windows Installer is in the middle of another installation.
#pragma once

// The installer holds the mutex "Global\_MSIExecute" while it runs a transaction: true
// when it can be opened, or exists but may not be opened by us; false only when the
// system answers that there is no such mutex.
bool another_installation_in_progress();
