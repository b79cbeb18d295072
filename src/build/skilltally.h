#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace ludra {

// The skill totals as a build sums them, one tally per skill in the order
// each skill is first counted; skill names match trimmed. The skill table
// starts with one blank row, which the first skill counted takes over; a
// single first row without a skill is written over by the next skill too,
// also when a cluster of no known skill was counted in it.
class SkillTallies
{
public:
    struct Tally
    {
        QString skill;
        qint64 increase = 0;
        qint64 clusters = 0;
        // The symbiants counted in the increase, by title; they are no
        // clusters.
        QStringList symbiants;
        // The blank first row nothing has been counted in yet.
        bool blank() const { return clusters == 0 && symbiants.isEmpty(); }
    };

    SkillTallies() : m_tallies{Tally{}} {}

    // Counts one cluster of a skill with the increase it gives.
    void add(const QString &skill, qint64 increase);
    // Counts what a symbiant (its title) adds to a skill.
    void addSymbiant(const QString &skill, qint64 increase, const QString &symbiant);
    const QList<Tally> &tallies() const { return m_tallies; }

private:
    // The tally of a skill, made when it has none.
    Tally &tallyOf(const QString &skill);

    QList<Tally> m_tallies;
};

} // namespace ludra
