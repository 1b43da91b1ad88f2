// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch sites [--root DIR]
//                      [--add NAME [--host HOST]... | --rename N|NAME NEWNAME
//                       | --delete N|NAME [--yes]]
// Without an action, lists the sites of the store, one line each, fields
// separated by a tab: number, name, host names (blank-separated), number of
// stored months. --add makes a site (settings as NewSiteSettings gives them)
// and prints its number; --rename gives a site another name; --delete without
// --yes prints the folder and the months that would go and exits 1, with
// --yes deletes them (never site 1). Names are UTF-8 on the command line and
// in the list. A name of digits only, or one that already finds another site
// (by its name or a host name), is a usage error, and so is such a host.
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_commands.h"
#include "batch/command_options.h"
#include "batch/site_option.h"
#include "geo/cp1252_text.h"
#include "report/report_text.h"
#include "state/program_folder.h"
#include "state/site_settings.h"
#include "store/data_store.h"
#include "store/site_list.h"
#include "store/text_file.h"

namespace trafikon::batch {

namespace {

constexpr const char* kUsage =
    "usage: trafikon-batch sites [--root DIR] [--add NAME [--host HOST]...\n"
    "                            | --rename N|NAME NEWNAME | --delete N|NAME [--yes]]\n";

// A store text as one field of a tab-separated line of UTF-8.
std::string Field(std::string_view cp1252) {
    std::string text = report::Cp1252ToUtf8(cp1252);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return text;
}

void ListSites(const std::string& root) {
    for (const SiteEntry& site : ReadSiteList(root)) {
        std::string hosts;
        for (const std::string& host : site.hosts)
            hosts += (hosts.empty() ? "" : " ") + host;
        std::printf("%d\t%s\t%s\t%zu\n", site.number, Field(site.name).c_str(),
                    Field(hosts).c_str(), ListStoredMonths(SiteDir(root, site.number)).size());
    }
}

bool AllDigits(const std::string& text) {
    return text.find_first_not_of("0123456789") == std::string::npos;
}

// The problem with `name` (Windows-1252) as the name of site `number` (0: a
// new site), or "".
std::string NameProblem(const std::vector<SiteEntry>& sites, const std::string& name, int number) {
    if (name.find_first_not_of(' ') == std::string::npos)
        return "a site needs a name";
    if (AllDigits(name))
        return "a site's name cannot be digits only (it would read as a number): \"" + name + "\"";
    if (const std::optional<int> other = FindSite(sites, name); other && *other != number)
        return "\"" + Field(name) + "\" already names site " + std::to_string(*other);
    return {};
}

std::string HostProblem(const std::vector<SiteEntry>& sites, const std::string& host) {
    if (host.empty() || AllDigits(host) || host.find_first_of(" ;\t\r\n") != std::string::npos)
        return "--host takes a host name: \"" + host + "\"";
    if (const std::optional<int> other = FindSite(sites, host))
        return "\"" + host + "\" already finds site " + std::to_string(*other);
    return {};
}

int DeleteOrTell(const std::string& root, const SiteEntry& site, bool yes) {
    const std::string dir = SiteDir(root, site.number);
    const std::vector<std::string> months = ListStoredMonths(dir);
    const std::string name = site.name.empty() ? "" : " (" + Field(site.name) + ")";
    if (!yes) {
        std::printf("would delete site %d%s: the folder %s with %zu stored months\n", site.number,
                    name.c_str(), dir.c_str(), months.size());
        for (const std::string& month : months)
            std::printf("  %s\n", month.c_str());
        std::fputs("trafikon-batch sites: nothing deleted; give --yes to delete it\n", stderr);
        return 1;
    }
    DeleteSite(root, site.number);
    std::printf("site %d%s deleted: %s, %zu stored months\n", site.number, name.c_str(),
                dir.c_str(), months.size());
    return 0;
}

}  // namespace

int RunSitesCommand(const std::vector<std::string>& args) {
    std::string root, add, renamed, deleted;
    bool haveRoot = false, haveAdd = false, haveRename = false, haveDelete = false, yes = false;
    std::vector<std::string> hosts, operands;
    const CommandLine line{"sites",
                           kUsage,
                           {{"--root", true, StoreIn(root, &haveRoot)},
                            {"--add", true, StoreIn(add, &haveAdd)},
                            {"--host", true,
                             [&hosts](const std::string& v) {
                                 hosts.push_back(v);
                                 return std::string();
                             }},
                            {"--rename", true, StoreIn(renamed, &haveRename)},
                            {"--delete", true, StoreIn(deleted, &haveDelete)},
                            {"--yes", false, SetFlag(yes)}},
                           &operands};
    if (const int exit = ReadCommandLine(line, args); exit >= 0)
        return exit;
    if (haveRoot && root.empty())
        return UsageError(line, "--root needs a folder");
    if (haveAdd + haveRename + haveDelete > 1)
        return UsageError(line, "give one of --add, --rename and --delete");
    if (!hosts.empty() && !haveAdd)
        return UsageError(line, "--host goes with --add");
    if (yes && !haveDelete)
        return UsageError(line, "--yes goes with --delete");
    if (operands.size() != (haveRename ? 1u : 0u))
        return UsageError(line, haveRename ? "--rename N|NAME takes the new name after it"
                                           : "unexpected argument: " + operands.front());
    if (!haveRoot)
        root = ProgramFolder();
    if (root.back() != '/')
        root.push_back('/');

    const std::vector<SiteEntry> sites = ReadSiteList(root);
    if (haveAdd) {
        const std::string name = Utf8ToCp1252Text(add);
        if (const std::string problem = NameProblem(sites, name, 0); !problem.empty())
            return UsageError(line, problem);
        for (const std::string& host : hosts)
            if (const std::string problem = HostProblem(sites, host); !problem.empty())
                return UsageError(line, problem);
        std::printf("%d\n", CreateSite(root, name, hosts));
        return 0;
    }
    if (!haveRename && !haveDelete) {
        ListSites(root);
        return 0;
    }
    const std::string& which = haveRename ? renamed : deleted;
    const std::optional<int> number = FindSite(sites, Utf8ToCp1252Text(which));
    if (!number)
        return UsageError(line, "no such site: " + which);
    if (haveRename) {
        const std::string name = Utf8ToCp1252Text(operands.front());
        if (const std::string problem = NameProblem(sites, name, *number); !problem.empty())
            return UsageError(line, problem);
        RenameSite(root, *number, name);
        std::printf("site %d renamed: %s\n", *number, Field(name).c_str());
        return 0;
    }
    if (*number == kSiteNumber)
        return UsageError(line, "site 1 is never deleted");
    return DeleteOrTell(root, *SiteOf(sites, *number), yes);
}

}  // namespace trafikon::batch
