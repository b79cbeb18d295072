#include "app/helptopics.h"

#include <QWidget>

namespace ludra {

const QHash<QString, QString> &HelpTopics()
{
    static const QHash<QString, QString> topics{
        // The main window and its tabs.
        {QStringLiteral("frmLudra"), QStringLiteral("window")},
        {QStringLiteral("tabReport"), QStringLiteral("layout")},
        {QStringLiteral("tabBuild"), QStringLiteral("build")},
        {QStringLiteral("tabResultSkills"), QStringLiteral("skillincreases")},
        {QStringLiteral("tabResultCosts"), QStringLiteral("requirements")},
        {QStringLiteral("tabResultSuggest"), QStringLiteral("suggestions")},
        {QStringLiteral("tabResultLadder"), QStringLiteral("ladder")},
        // The dialogs.
        {QStringLiteral("frmStockControl"), QStringLiteral("stock")},
        {QStringLiteral("frmCharacter"), QStringLiteral("character")},
        {QStringLiteral("frmImplantSelections"), QStringLiteral("selections")},
        {QStringLiteral("frmSetAll"), QStringLiteral("selections")},
        {QStringLiteral("frmAutoAlloc"), QStringLiteral("rules")},
        {QStringLiteral("frmPrintSettings"), QStringLiteral("printsettings")},
        {QStringLiteral("frmPreview"), QStringLiteral("preview")},
        {QStringLiteral("frmOptions"), QStringLiteral("options")},
        {QStringLiteral("frmLog"), QStringLiteral("log")},
        // The Graphs window stays open beside the main window.
        {QStringLiteral("frmGraphs"), QStringLiteral("graphs")},
        {QStringLiteral("frmCompare"), QStringLiteral("compare")},
        {QStringLiteral("frmSymbiantFinder"), QStringLiteral("findsymbiants")},
        // The About box names the folders Ludra uses.
        {QStringLiteral("frmAbout"), QStringLiteral("folders")},
    };
    return topics;
}

QString HelpTopicFor(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const auto found = HelpTopics().constFind(w->objectName());
        if (found != HelpTopics().constEnd())
            return *found;
    }
    return QString();
}

} // namespace ludra
