#include "app/ludramodel.h"

#include "app/messages.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "stock/stockfile.h"

namespace ludra {

namespace {

void reportMissing(Prompter &prompter, const MessageDef &title, const MessageDef &text)
{
    prompter.message(Prompter::Icon::Stop, Prompter::Buttons::Ok, LangMsg(title), LangMsg(text));
}

} // namespace

void LudraModel::loadSkillReq(Prompter &prompter)
{
    QString reason;
    const bool written = m_reference.loadSkillReq(&reason);
    // A user's folder that cannot be used is told once, in place of every
    // file that cannot be written into it.
    const QString &problem = CurrentLayout().problem;
    if (!problem.isEmpty())
        prompter.error(problem);
    else if (!written)
        prompter.error(
            QStringLiteral("Cannot create file \"%1\". %2").arg(UserFile(RefFile::SkillIncrease), reason));
}

void LudraModel::resetBuildState()
{
    m_buildSettings.reset();
    m_results.clearBuildLog();
    m_stock.resetUse();
    m_stock.Building = false;
}

void LudraModel::reloadStock(Prompter &prompter)
{
    QStringList names;
    const TNanoList &nanoList = m_reference.nanoList();
    names.reserve(nanoList.count());
    for (int i = 0; i < nanoList.count(); ++i)
        names.append(nanoList.at(i)->ClusterName);
    m_stock.stock().setClusterNames(names);
    m_stock.reload(StockPath(), prompter);
}

bool LudraModel::loadCatalogue(Prompter &prompter)
{
    if (m_reference.loadCatalogue())
        return true;
    reportMissing(prompter, Msg::NoCatalogueTitle, Msg::NoCatalogueText);
    return false;
}

void LudraModel::loadSecSkills(Prompter &prompter)
{
    if (!m_reference.loadSecSkills())
        reportMissing(prompter, Msg::NoSecSkillTitle, Msg::NoSecSkillText);
}

void LudraModel::loadRequirements(Prompter &prompter)
{
    if (!m_reference.loadRequirements())
        reportMissing(prompter, Msg::NoRequireTitle, Msg::NoRequireText);
}

} // namespace ludra
