// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/program_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "store/text_file.h"

namespace trafikon {

namespace {

// Folders of installed programs: the system's (even when root may write
// there) and any "bin" folder, such as ~/.local/bin.
bool IsInstallFolder(std::string folder) {
    for (const char* prefix : {"/usr/", "/bin/", "/sbin/", "/lib/", "/snap/", "/app/"})
        if (folder.rfind(prefix, 0) == 0)
            return true;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder.size() >= 4 && folder.compare(folder.size() - 4, 4, "/bin") == 0;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string ExecutableFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    std::string path = exe.string();
    return path.substr(0, path.rfind('/') + 1);
}

std::string ChooseProgramFolder(const std::string& executableFolder, bool executableFolderWritable,
                                const std::string& xdgDataHome, const std::string& home) {
    if (!executableFolder.empty() && executableFolderWritable && !IsInstallFolder(executableFolder))
        return executableFolder.back() == '/' ? executableFolder : executableFolder + "/";
    // Only an absolute XDG_DATA_HOME counts; a relative one is ignored.
    std::string data = xdgDataHome;
    if (data.empty() || data[0] != '/') {
        if (home.empty() || home[0] != '/')
            return {};  // never a shared folder such as /tmp
        data = home + "/.local/share";
    }
    while (data.size() > 1 && data.back() == '/')
        data.pop_back();
    return data + "/trafikon/";
}

std::string ProgramFolder() {
    const std::string exe = ExecutableFolder();
    std::string home = Environment("HOME");
    if (home.empty())
        if (const passwd* pw = ::getpwuid(::getuid()))
            home = pw->pw_dir;
    const std::string folder = ChooseProgramFolder(
        exe, !exe.empty() && ::access(exe.c_str(), W_OK) == 0, Environment("XDG_DATA_HOME"), home);
    if (folder.empty())
        throw IoError("$HOME",
                      "no home folder (HOME is not set and the user has no entry): "
                      "set HOME or XDG_DATA_HOME");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);  // a failure shows at the first write
    return folder;
}

}  // namespace trafikon
