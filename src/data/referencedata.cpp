#include "data/referencedata.h"

#include "common/paths.h"

namespace ludra {

ReferenceData::ReferenceData() : m_bodySlots(BodySlotNames())
{
    m_unknown.reset(1);
}

bool ReferenceData::loadSkillReq(QString *writeError)
{
    return LoadSkillReq(UserFile(RefFile::SkillIncrease), m_skillReq, writeError);
}

bool ReferenceData::loadCatalogue()
{
    return ReadCatalogue(ReferenceFile(RefFile::Catalogue), m_unknown, m_nanoList);
}

bool ReferenceData::loadSecSkills()
{
    return ReadSecSkills(ReferenceFile(RefFile::SecSkills), m_unknown, m_secSkills);
}

bool ReferenceData::loadRequirements()
{
    return ReadRequirements(ReferenceFile(RefFile::Requirements), m_unknown, m_requirements);
}

const TrickleTable &ReferenceData::trickle() const
{
    if (!m_trickle)
        m_trickle = TrickleTable::load();
    return *m_trickle;
}

const RequirementProfiles &ReferenceData::requirementProfiles() const
{
    if (!m_profiles)
        m_profiles = RequirementProfiles::load();
    return *m_profiles;
}

const SymbiantTable *ReferenceData::symbiants() const
{
    if (!m_symbiantsRead) {
        m_symbiants = SymbiantTable::load(m_bodySlots);
        m_symbiantsRead = true;
    }
    return m_symbiants ? &*m_symbiants : nullptr;
}

QString ReferenceData::takeSymbiantNotice() const
{
    const SymbiantTable *table = symbiants();
    if (!table || table->skipped() == 0 || m_symbiantNoticeTaken)
        return QString();
    m_symbiantNoticeTaken = true;
    return QStringLiteral("%1 line(s) of \"%2\" could not be read and were skipped.")
        .arg(table->skipped())
        .arg(RefFile::Symbiants);
}

void ReferenceData::forgetGameRules()
{
    m_trickle.reset();
    m_profiles.reset();
    m_symbiants.reset();
    m_symbiantsRead = false;
    m_symbiantNoticeTaken = false;
}

QList<SkillEntry> ReferenceData::skillEntries() const
{
    QList<SkillEntry> entries;
    entries.reserve(m_nanoList.count());
    for (int i = 0; i < m_nanoList.count(); ++i)
        entries.append(SkillEntry{m_nanoList.name(i), m_nanoList.at(i)});
    return entries;
}

} // namespace ludra
