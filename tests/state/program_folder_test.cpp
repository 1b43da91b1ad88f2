// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps its files: beside a writable portable copy, else
// (an installed program) in the user's data folder.
#include <gtest/gtest.h>

#include "state/program_folder.h"

namespace trafikon {
namespace {

TEST(ProgramFolderTest, PortableCopyKeepsItsFolderInstalledOneUsesTheUserDataFolder) {
    struct Case {
        const char* exe;
        bool writable;
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/opt/trafikon/", true, "", "/h/ann", "/opt/trafikon/"},
        {"/srv/t", true, "/x", "/h/ann", "/srv/t/"},
        {"/opt/trafikon/", false, "", "/h/ann", "/h/ann/.local/share/trafikon/"},
        // A system folder, even one that root may write to.
        {"/usr/bin/", true, "", "/h/ann", "/h/ann/.local/share/trafikon/"},
        {"/usr/local/bin/", true, "/data/ann/", "/h/ann", "/data/ann/trafikon/"},
        {"/h/ann/.local/bin/", true, "", "/h/ann", "/h/ann/.local/share/trafikon/"},
        {"/h/ann/trafikon-bin/", true, "", "/h/ann", "/h/ann/trafikon-bin/"},
        // A relative XDG_DATA_HOME is ignored; no executable folder at all.
        {"/usr/bin/", false, "rel/data", "/h/ann", "/h/ann/.local/share/trafikon/"},
        {"", true, "/x", "/h/ann", "/x/trafikon/"},
        // No home at all: no folder, never a shared one such as /tmp.
        {"/usr/bin/", false, "", "", ""},
        {"/usr/bin/", false, "rel", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseProgramFolder(c.exe, c.writable, c.xdg, c.home), c.expected) << c.exe;
}

}  // namespace
}  // namespace trafikon
