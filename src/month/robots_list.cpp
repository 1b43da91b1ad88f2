// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/robots_list.h"

#include "text/extra_texts.h"

namespace trafikon::tabs {

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
    if (part.empty())
        return true;
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < part.size() && Lower(text[i + k]) == Lower(part[k]))
            ++k;
        if (k == part.size())
            return true;
    }
    return false;
}

std::string Labelled(const TextLookup& texts, int entry, const std::string& value) {
    return texts(entry) + " : " + value;
}

}  // namespace

const std::string& RobotKindText(RobotKind kind, const TextLookup& texts) {
    switch (kind) {
        case RobotKind::kSignature:
            return texts(lang::kTextKindSignature);
        case RobotKind::kGeneric:
            return texts(lang::kTextKindGeneric);
        case RobotKind::kEmptyAgent:
            return texts(lang::kTextKindEmptyAgent);
        case RobotKind::kRobotsTxt:
            return texts(lang::kTextKindRobotsTxt);
        case RobotKind::kPerson:
            break;
    }
    return texts(-1);
}

std::string RobotName(const RobotRecord& robot, const TextLookup& texts) {
    if (robot.name.empty() || robot.name == "-")
        return texts(lang::kTextKindEmptyAgent);
    return robot.name;
}

std::vector<NameCountRow> RobotsList::Rows(std::string_view filter, const TextLookup& texts) const {
    std::vector<NameCountRow> rows;
    for (std::size_t i = 0; i < robots_.size(); ++i) {
        const RobotRecord& r = robots_[i];
        std::string name = RobotName(r, texts);
        if (!ContainsIgnoringCase(name, filter))
            continue;
        rows.push_back(
            {std::move(name), std::to_string(r.hits), r.hits, static_cast<long long>(i)});
    }
    return rows;
}

const RobotRecord* RobotsList::At(long long position) const {
    if (position < 0 || static_cast<std::size_t>(position) >= robots_.size())
        return nullptr;
    return &robots_[static_cast<std::size_t>(position)];
}

RobotDetailTexts RobotDetailLabels(const RobotRecord& robot, const TextLookup& texts) {
    RobotDetailTexts t;
    t.title = Labelled(texts, lang::kTextRobot, RobotName(robot, texts));
    t.kind = Labelled(texts, lang::kTextRobotKind, RobotKindText(robot.kind, texts));
    t.hits = Labelled(texts, 129, std::to_string(robot.hits)) + "   " +
             Labelled(texts, 128, std::to_string(robot.pages));
    t.volume = Labelled(texts, 127, std::to_string(robot.bytes / 1024));
    t.last = Labelled(texts, 102, std::string(LastAccessText(robot.lastTime)));
    return t;
}

std::string AudienceLine(const Audience& a, const TextLookup& texts) {
    return Labelled(texts, lang::kTextPeopleHits, std::to_string(a.people.hits)) + ", " +
           Labelled(texts, lang::kTextPeopleVisitors, std::to_string(a.people.visitors)) +
           "   /   " + Labelled(texts, lang::kTextRobotHits, std::to_string(a.robots.hits)) + ", " +
           Labelled(texts, lang::kTextRobotVisitors, std::to_string(a.robots.visitors));
}

}  // namespace trafikon::tabs
