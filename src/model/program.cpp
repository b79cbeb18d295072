#include "model/program.h"

#include "common/paths.h"
#include "common/prompter.h"
#include "common/wholefile.h"
#include "model/options.h"
#include "stock/stockfile.h"
#include "text/messages.h"

namespace ludra {

void LudraProgram::loadSkillReq(Prompter &prompter)
{
    QString reason;
    const bool written = m_reference.loadSkillReq(&reason);
    // A user's folder that cannot be used is told once, in place of every
    // file that cannot be written into it.
    const QString &problem = CurrentLayout().problem;
    if (!problem.isEmpty())
        prompter.error(problem);
    else if (!written)
        prompter.error(CannotCreateFileMessage(UserFile(RefFile::SkillIncrease), reason));
}

void LudraProgram::loadReferenceFile(bool (ReferenceData::*load)(), const QString &name, const MessageDef &title,
                                     const MessageDef &text, Prompter &prompter, StartReport &report)
{
    if ((m_reference.*load)())
        return;
    report.missingFiles.append(name);
    prompter.message(Prompter::Icon::Stop, Prompter::Buttons::Ok, LangMsg(title), LangMsg(text));
}

StartReport LudraProgram::start(Prompter &prompter, const StartOptions &options)
{
    StartReport report;
    LoadProgramOptions();
    loadSkillReq(prompter);
    m_stock.resetUse();
    m_defaultSelections.load();
    loadReferenceFile(&ReferenceData::loadCatalogue, RefFile::Catalogue, Msg::NoCatalogueTitle,
                      Msg::NoCatalogueText, prompter, report);
    loadReferenceFile(&ReferenceData::loadSecSkills, RefFile::SecSkills, Msg::NoSecSkillTitle, Msg::NoSecSkillText,
                      prompter, report);
    loadReferenceFile(&ReferenceData::loadRequirements, RefFile::Requirements, Msg::NoRequireTitle,
                      Msg::NoRequireText, prompter, report);
    makeStockEntries();
    if (options.readStock)
        m_stock.reload(StockPath(), prompter);
    m_started = true;
    return report;
}

void LudraProgram::makeStockEntries()
{
    QStringList names;
    const TNanoList &nanoList = m_reference.nanoList();
    names.reserve(nanoList.count());
    for (int i = 0; i < nanoList.count(); ++i)
        names.append(nanoList.at(i)->ClusterName);
    m_stock.stock().setClusterNames(names);
}

bool LudraProgram::reloadStock(Prompter &prompter)
{
    makeStockEntries();
    return m_stock.reload(StockPath(), prompter);
}

} // namespace ludra
