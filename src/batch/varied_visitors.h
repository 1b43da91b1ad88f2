// SPDX-License-Identifier: GPL-3.0-or-later
// Visitors with the variety of a busy site's traffic: as many distinct hosts
// as asked, grouped in networks (IPv4, IPv6 and named ones), user agents in
// the thousands (browsers in many versions on many devices, dozens of
// crawlers, tools), search phrases and other sites' pages in the thousands,
// each drawn with a long tail. Everything about a host follows from its
// number, so the generator's memory does not grow with the log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "batch/generated_visitors.h"
#include "batch/generator_random.h"

namespace trafikon::batch::generator {

class VariedVisitors {
  public:
    // `hosts` distinct hosts spread evenly over `lines` lines.
    VariedVisitors(std::uint64_t seed, std::int64_t lines, std::int64_t hosts);

    // The host of a visit starting at line `line` (from 0): a new one when
    // the hosts seen so far are fewer than their share of the lines written,
    // else one seen before, the busiest ones more often.
    const Host& NextHost(Random& random, std::int64_t line);
    // The user agent of the last host, as Apache and as IIS write it.
    std::string_view Agent() const { return agent_; }
    std::string_view AgentIis() const { return agentIis_; }

    // A search phrase of one to four words, in UTF-8.
    void SearchPhrase(Random& random, std::string& out) const;
    // The address of a page of another site or of a social site.
    void OtherSite(Random& random, std::string& out) const;

  private:
    void MakeHost(std::uint64_t number);

    std::uint64_t seed_;
    std::int64_t lines_, hosts_;
    std::int64_t seen_ = 0;
    Host host_;
    std::string agent_, agentIis_;
};

}  // namespace trafikon::batch::generator
