// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps its language files, settings copy and store.
#pragma once

#include <string>

namespace trafikon {

// The folder of the running executable, ending in '/' (empty when unknown).
std::string ExecutableFolder();

// The program folder, ending in '/': the executable's folder when the user may
// write there and it is not where programs are installed (a system folder or
// a "bin" folder); a portable copy keeps its data beside it. Otherwise $XDG_DATA_HOME/trafikon/ (by
// default
// ~/.local/share/trafikon/), created when missing. Both programs use it.
// Throws IoError when there is no home folder to keep the data in.
std::string ProgramFolder();

// The decision ProgramFolder makes, from what it looked up. `xdgDataHome` and
// `home` are the environment's values (empty when unset). Empty when neither
// gives an absolute folder.
std::string ChooseProgramFolder(const std::string& executableFolder, bool executableFolderWritable,
                                const std::string& xdgDataHome, const std::string& home);

}  // namespace trafikon
