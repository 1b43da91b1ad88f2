// SPDX-License-Identifier: GPL-3.0-or-later
// Countries (and cities) of a month's visitors. Each distinct host is looked
// up once, after the last hit; its hits are then added up as the robot tally
// classifies them, so people and robots stay apart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/month_analysis.h"
#include "engine/robot_tally.h"
#include "geo/country_database.h"
#include "store/country_file.h"
#include "store/text_file.h"

namespace trafikon {

class CountryTally final : public ClassifiedHits {
  public:
    // `database` and `analysis` outlive the tally; `databasePath` is the
    // file asked for (empty: none).
    CountryTally(const CountryDatabase& database, std::string databasePath,
                 const MonthAnalysis& analysis)
        : database_(database), databasePath_(std::move(databasePath)), analysis_(analysis) {}

    // Looks up every host of the month; call once, before the hits come.
    void LocateHosts();
    void Hit(const StreamedHit& hit, bool robot) override;
    // Writes the countries file. Throws IoError.
    void Write(AtomicFileWriter& out) const;

  private:
    // Adds the line of a country (city empty) or city.
    std::uint32_t RecordOf(std::array<char, 2> country, const std::string& city);

    const CountryDatabase& database_;
    std::string databasePath_;
    const MonthAnalysis& analysis_;
    std::vector<CountryRecord> records_;
    std::vector<std::uint32_t> hostRecord_;   // the host's city line, else its country line
    std::vector<std::uint32_t> hostCountry_;  // the host's country line
    std::vector<std::uint8_t> hostSeen_;      // 1: as a person, 2: as a robot
};

}  // namespace trafikon
