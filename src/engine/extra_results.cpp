// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/extra_results.h"

#include "store/country_file.h"
#include "store/extra_result_names.h"
#include "store/family_file.h"
#include "store/hour_file.h"
#include "store/robot_file.h"

namespace trafikon {

std::vector<std::unique_ptr<AtomicFileWriter>> ExtraAnalysis::WriteFiles(
    const std::string& siteDir, const std::string& monthKey) const {
    std::vector<std::unique_ptr<AtomicFileWriter>> files;
    // Temporaries left by a killed run are tidied once when the run starts.
    for (const std::string& name : ExtraAnalysisFileNames(monthKey))
        files.push_back(std::make_unique<AtomicFileWriter>(siteDir + name));
    if (countries_) {
        files.push_back(std::make_unique<AtomicFileWriter>(
            siteDir + ExtraResultFileName(kCountriesPrefix, monthKey)));
        countries_->LocateHosts();
    }
    const RobotTally::Results robots = robots_.Finish(countries_.get());
    // A robot's lines go straight out: they may be most of the month's.
    for (std::uint32_t i = 0; i < robots.robots.size(); ++i) {
        const auto [before, after] = FormatRobotRecordAround(robots.robots[i]);
        files[0]->Write(before);
        WriteIdList(*robots.lines, i, *files[0]);
        files[0]->WriteLine(after);
    }
    for (const std::string& line : FormatAudience(robots.audience))
        files[1]->WriteLine(line);
    for (const std::string& line : FormatHours(hours_.counters()))
        files[2]->WriteLine(line);
    for (const std::string& line : FormatFamilies(robots.families))
        files[3]->WriteLine(line);
    if (countries_)
        countries_->Write(*files.back());
    for (auto& f : files)
        f->Sync();
    return files;
}

}  // namespace trafikon
