#pragma once

#include "data/gamerules.h"
#include "data/nano.h"
#include "data/referencefiles.h"
#include "data/skillreq.h"
#include "data/symbiants.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace ludra {

// One entry of a skill list: the skill name with its catalogue record. The
// lists never own the records.
struct SkillEntry
{
    QString name;
    const TNano *nano = nullptr;

    bool operator==(const SkillEntry &) const = default;
};

// The reference data the planner reads at start-up and never changes while it
// runs: the catalogue, the recipes, the requirement base values, the skill
// increase table and the body slots. The loads read the files beside the
// executable; saying what went wrong is the caller's.
class ReferenceData
{
public:
    ReferenceData();

    const TNanoList &nanoList() const { return m_nanoList; }
    const QStringList &bodySlots() const { return m_bodySlots; }
    const TSecSkills &secSkills() const { return m_secSkills; }
    const RequirementList &requirements() const { return m_requirements; }
    const TSkillReq &skillReq() const { return m_skillReq; }

    // Loads the skill increase table, writing the file of built-in values when
    // it is missing or short. When that write fails, returns false with the
    // reason; the built-in values stay.
    bool loadSkillReq(QString *writeError);
    // Reads the catalogue; false when the file is missing.
    bool loadCatalogue();
    // Reads the recipe file, its blank names going on from the catalogue's
    // count; false when the file is missing.
    bool loadSecSkills();
    // Reads the requirement file; false when the file is missing.
    bool loadRequirements();

    // The trickle-down weights and the recipes with requirements of their
    // own, read from their optional files the first time they are asked for
    // (a build, the ladder, the graphs), so that starting reads neither.
    const TrickleTable &trickle() const;
    const RequirementProfiles &requirementProfiles() const;
    // The symbiants of "symbiants.csv", read the first time they are asked
    // for, like the two above; nullptr when the file is missing or cannot be
    // read.
    const SymbiantTable *symbiants() const;
    // Once after the symbiant table was read with lines skipped: the message
    // that says how many; empty before, after, and when none was skipped.
    QString takeSymbiantNotice() const;
    // Reads all three again at their next use.
    void forgetGameRules();

    // Every catalogue entry with its skill name, in catalogue order; the
    // skill lists sort them.
    QList<SkillEntry> skillEntries() const;

private:
    TNanoList m_nanoList;
    QStringList m_bodySlots;
    TSecSkills m_secSkills;
    RequirementList m_requirements;
    TSkillReq m_skillReq;
    mutable std::optional<TrickleTable> m_trickle;
    mutable std::optional<RequirementProfiles> m_profiles;
    // Whether "symbiants.csv" has been read since the last forgetGameRules;
    // m_symbiants stays empty when it was missing.
    mutable bool m_symbiantsRead = false;
    mutable std::optional<SymbiantTable> m_symbiants;
    mutable bool m_symbiantNoticeTaken = false;
    // Numbers the blank names of the three files in the order they are read.
    UnknownCounter m_unknown;
};

} // namespace ludra
