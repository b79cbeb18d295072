#include "model/ludramodel.h"

#include "common/errors.h"
#include "common/paths.h"
#include "common/prompter.h"
#include "common/wholefile.h"
#include "model/options.h"
#include "stock/stockfile.h"
#include "storage/projectfile.h"
#include "text/messages.h"

namespace ludra {

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
        prompter.error(CannotCreateFileMessage(UserFile(RefFile::SkillIncrease), reason));
}

void LudraModel::loadReferenceFile(bool (ReferenceData::*load)(), const QString &name, const MessageDef &title,
                                   const MessageDef &text, Prompter &prompter, StartReport &report)
{
    if ((m_reference.*load)())
        return;
    report.missingFiles.append(name);
    prompter.message(Prompter::Icon::Stop, Prompter::Buttons::Ok, LangMsg(title), LangMsg(text));
}

StartReport LudraModel::start(Prompter &prompter, const StartOptions &options)
{
    StartReport report;
    loadSkillReq(prompter);

    m_buildSettings.reset();
    m_results.clearBuildLog();
    m_stock.resetUse();

    m_layout.defaultSelections().load();
    m_layout.clearMarks();
    loadReferenceFile(&ReferenceData::loadCatalogue, RefFile::Catalogue, Msg::NoCatalogueTitle,
                      Msg::NoCatalogueText, prompter, report);
    loadReferenceFile(&ReferenceData::loadSecSkills, RefFile::SecSkills, Msg::NoSecSkillTitle, Msg::NoSecSkillText,
                      prompter, report);
    loadReferenceFile(&ReferenceData::loadRequirements, RefFile::Requirements, Msg::NoRequireTitle,
                      Msg::NoRequireText, prompter, report);
    m_layout.setCatalogue(m_reference.nanoList());
    m_layout.skills().assignAvailable(m_reference.skillEntries());
    m_layout.prepareBodyView();

    // The options file is read here once; what changes it afterwards writes it
    // whole.
    LoadProgramOptions();
    if (options.reopenLastProject) {
        const QString lastProject = AutoLoadPath();
        if (!lastProject.isEmpty()) {
            try {
                report.reopened = openProject(lastProject);
                RecordLastProject(lastProject);
            } catch (const Exception &e) {
                prompter.error(e.message());
            }
        }
    }

    makeStockEntries();
    if (options.readStock)
        m_stock.reload(StockPath(), prompter);
    return report;
}

void LudraModel::makeStockEntries()
{
    QStringList names;
    const TNanoList &nanoList = m_reference.nanoList();
    names.reserve(nanoList.count());
    for (int i = 0; i < nanoList.count(); ++i)
        names.append(nanoList.at(i)->ClusterName);
    m_stock.stock().setClusterNames(names);
}

bool LudraModel::reloadStock(Prompter &prompter)
{
    makeStockEntries();
    return m_stock.reload(StockPath(), prompter);
}

ProjectShown LudraModel::openProject(const QString &path)
{
    // The file is read whole before anything changes: a file that cannot be
    // read costs the user nothing but the message.
    try {
        const ProjectShown shown = ApplyProject(ReadProjectFile(path), *this);
        m_fileName = path;
        return shown;
    } catch (const EStreamError &e) {
        // A file that cannot be opened says so, with its name, once.
        throw Exception(e.message().startsWith(CannotOpenFileMessage(path, QString()).trimmed())
                            ? e.message()
                            : CannotOpenDocumentMessage(path, e.message()));
    } catch (const Exception &e) {
        throw Exception(CannotOpenDocumentMessage(path, e.message()));
    }
}

void LudraModel::newPlan()
{
    m_layout.resetForProject();
    m_layout.restoreGrid(LayoutView::BodyPlacement, LayoutNames::SkillNames, {});
    m_layout.skills().assignAvailable(m_reference.skillEntries());
    m_buildSettings.reset();
    m_results.reset();
    m_stock.resetUse();
    m_fileName.clear();
}

void LudraModel::saveProject(const QString &path, const ProjectShown &shown)
{
    WriteProjectFile(path, CaptureProject(*this, shown));
    m_fileName = path;
}

} // namespace ludra
