// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/extra_results.h"

#include "store/country_file.h"
#include "store/extra_result_names.h"
#include "store/family_file.h"
#include "store/hour_file.h"
#include "store/robot_file.h"
#include "store/visit_file.h"

namespace trafikon {

namespace {

// Hands each classified hit to the visits and, when there are, the countries.
class BothTallies final : public ClassifiedHits {
  public:
    BothTallies(VisitTally& visits, CountryTally* countries)
        : visits_(visits), countries_(countries) {}
    void Hit(const StreamedHit& hit, bool robot) override {
        visits_.Hit(hit, robot);
        if (countries_)
            countries_->Hit(hit, robot);
    }

  private:
    VisitTally& visits_;
    CountryTally* countries_;
};

}  // namespace

std::vector<std::unique_ptr<AtomicFileWriter>> ExtraAnalysis::WriteFiles(
    const std::string& siteDir, const std::string& monthKey) const {
    std::vector<std::unique_ptr<AtomicFileWriter>> files;
    // Temporaries left by a killed run are tidied once when the run starts.
    for (const std::string& name : ExtraAnalysisFileNames(monthKey))
        files.push_back(std::make_unique<AtomicFileWriter>(siteDir + name));
    files.push_back(
        std::make_unique<AtomicFileWriter>(siteDir + ExtraResultFileName(kVisitsPrefix, monthKey)));
    if (countries_) {
        files.push_back(std::make_unique<AtomicFileWriter>(
            siteDir + ExtraResultFileName(kCountriesPrefix, monthKey)));
        countries_->LocateHosts();
    }
    VisitTally visits(analysis_, visitRules_);
    BothTallies both(visits, countries_.get());
    const RobotTally::Results robots = robots_.Finish(&both);
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
    for (const std::string& line : FormatVisits(visits.Finish()))
        files[4]->WriteLine(line);
    if (countries_)
        countries_->Write(*files.back());
    for (auto& f : files)
        f->Sync();
    return files;
}

}  // namespace trafikon
