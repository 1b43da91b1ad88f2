// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis of a month beyond the original result files: robots, people
// and robots totals, hours of the day, browser families and systems, visits. Fed hit by hit beside
// MonthAnalysis and written by the same pass (result_files.h commits its files before the monthly
// file, so a month never shows new results of an older run).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/country_tally.h"
#include "engine/hour_tally.h"
#include "engine/month_analysis.h"
#include "engine/robot_tally.h"
#include "engine/visit_tally.h"
#include "store/text_file.h"

namespace trafikon {

class ExtraAnalysis {
  public:
    // `analysis` receives the same hits first and outlives this object.
    // `agentsLogged`: the log's format has a user-agent field. With
    // `countries` (outliving this object; `countriesPath` the file asked
    // for, empty for none) the countries file is written too.
    ExtraAnalysis(RobotSignatures signatures, const MonthAnalysis& analysis, bool agentsLogged,
                  const CountryDatabase* countries = nullptr, std::string countriesPath = {})
        : analysis_(analysis), robots_(std::move(signatures), analysis, agentsLogged) {
        if (countries)
            countries_ =
                std::make_unique<CountryTally>(*countries, std::move(countriesPath), analysis);
    }

    // Call right after `analysis.AddHit(hit, lineNumber)`.
    void AddHit(const PreparedHit& hit) {
        const bool page = analysis_.files.type[analysis_.lastHit().file] == kPageFile;
        robots_.Add(hit, page);
        hours_.AddAtHour(hit.hour, page, hit.hasBytes, hit.bytes);
    }

    // Hint for a hit to come a few hits later, from the host at position
    // `host` (-1 for none guessed).
    void Prefetch(std::int64_t host) const { robots_.PrefetchHost(host); }

    // How visits are cut (the default: 30 minutes).
    void SetVisitRules(const VisitRules& rules) { visitRules_ = rules; }

    // Writes the rob-, aud-, hrs-, fam- and vis- files of `monthKey` (and cty- with a
    // country database) under temporary names, synced; the caller commits
    // them. Throws IoError.
    std::vector<std::unique_ptr<AtomicFileWriter>> WriteFiles(const std::string& siteDir,
                                                              const std::string& monthKey) const;

  private:
    const MonthAnalysis& analysis_;
    RobotTally robots_;
    HourTally hours_;
    std::unique_ptr<CountryTally> countries_;
    VisitRules visitRules_;
};

}  // namespace trafikon
