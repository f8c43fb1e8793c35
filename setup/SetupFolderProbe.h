// The folder probe of the setup type and custom pages: whether the setup can
// put files into a folder. A folder that no setup may use (see
// IsInstallFolderPath) fails at once, with nothing made. Otherwise every
// folder along the path is made (failures ignored), then a small file is
// written into the folder and deleted again. The folders it made stay, also
// when the probe fails.
#pragma once

// True only when the probe file could be created and its 4 bytes written.
bool ProbeFolder(const char16_t* folder);
