#include "model/documentcontroller.h"

#include "common/prompter.h"
#include "model/options.h"
#include "model/plandocument.h"
#include "model/program.h"
#include "text/messages.h"

#include <QDir>
#include <QFileInfo>

namespace ludra {

DocumentController::DocumentController(LudraProgram &program, Prompter &prompter, QObject *parent)
    : QObject(parent), m_program(program), m_prompter(prompter), m_document(std::make_unique<PlanDocument>(program))
{
}

DocumentController::~DocumentController() = default;

std::unique_ptr<PlanDocument> DocumentController::makeDocument()
{
    auto document = std::make_unique<PlanDocument>(m_program);
    if (prepareDocument)
        prepareDocument(*document);
    return document;
}

void DocumentController::replace(std::unique_ptr<PlanDocument> document)
{
    // The old document stays until everything showing it has turned to the
    // new one.
    std::unique_ptr<PlanDocument> old = std::exchange(m_document, std::move(document));
    Q_EMIT documentChanged(m_document.get());
}

void DocumentController::newPlan()
{
    if (!maybeSave())
        return;
    replace(makeDocument());
}

void DocumentController::open()
{
    bool newWindow = false;
    if (m_document->isModified() && AskToSaveOption()) {
        const QString name = m_document->fileName().isEmpty()
                                 ? LangMsg(Msg::UntitledProject)
                                 : u'"' + QFileInfo(m_document->fileName()).fileName() + u'"';
        const Prompter::Buttons buttons =
            openInNewWindow ? Prompter::Buttons::SaveDiscardNewWindowCancel : Prompter::Buttons::SaveDiscardCancel;
        switch (m_prompter.message(Prompter::Icon::Warning, buttons, QStringLiteral("Ludra"),
                                   LangMsg(Msg::SaveChangesText).arg(name))) {
        case Prompter::Answer::Save:
            if (!save())
                return;
            break;
        case Prompter::Answer::Discard:
            break;
        case Prompter::Answer::NewWindow:
            newWindow = true;
            break;
        default:
            return;
        }
    }
    Prompter::FileRequest request;
    request.title = QStringLiteral("Open");
    request.filter = QStringLiteral("Ludra Files (*.lud)|*.lud");
    request.defaultSuffix = QStringLiteral("lud");
    request.initialPath = m_document->fileName();
    const QString path = m_prompter.openFileName(request);
    if (path.isEmpty() || (showElsewhere && showElsewhere(path)))
        return;
    if (newWindow && openInNewWindow)
        openInNewWindow(path);
    else
        openProject(path);
}

void DocumentController::openRecent(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        m_prompter.message(Prompter::Icon::Information, Prompter::Buttons::Ok, LangMsg(Msg::RecentGoneTitle),
                           LangMsg(Msg::RecentGoneText).arg(QDir::toNativeSeparators(path)));
        ForgetRecentProject(path);
        return;
    }
    if (showElsewhere && showElsewhere(path))
        return;
    if (maybeSave())
        openProject(path);
}

void DocumentController::openPath(const QString &path)
{
    if (showElsewhere && showElsewhere(path))
        return;
    openProject(path);
}

void DocumentController::openProject(const QString &path)
{
    std::unique_ptr<PlanDocument> opened = makeDocument();
    const ProjectShown shown = opened->open(path);
    replace(std::move(opened));
    Q_EMIT projectOpened(shown);
    rememberProject(path);
}

void DocumentController::reopenLastProject()
{
    const QString lastProject = AutoLoadPath();
    if (lastProject.isEmpty())
        return;
    try {
        openProject(lastProject);
    } catch (const Exception &e) {
        m_prompter.error(e.message());
    }
}

bool DocumentController::maybeSave()
{
    if (!m_document->isModified() || !AskToSaveOption())
        return true;
    const QString name = m_document->fileName().isEmpty()
                             ? LangMsg(Msg::UntitledProject)
                             : u'"' + QFileInfo(m_document->fileName()).fileName() + u'"';
    switch (m_prompter.message(Prompter::Icon::Warning, Prompter::Buttons::SaveDiscardCancel, QStringLiteral("Ludra"),
                               LangMsg(Msg::SaveChangesText).arg(name))) {
    case Prompter::Answer::Save:
        return save();
    case Prompter::Answer::Discard:
        return true;
    default:
        return false;
    }
}

bool DocumentController::save()
{
    if (m_document->fileName().isEmpty())
        return saveProjectAs(Msg::SaveUnnamedTitle, Msg::SaveUnnamedFilter);
    saveProject(m_document->fileName());
    return true;
}

bool DocumentController::saveAs()
{
    return saveProjectAs(Msg::SaveAsTitle, Msg::SaveAsFilter);
}

bool DocumentController::saveProjectAs(const MessageDef &title, const MessageDef &filter)
{
    Prompter::FileRequest request;
    request.title = LangMsg(title);
    request.filter = LangMsg(filter);
    request.defaultSuffix = QStringLiteral("lud");
    request.initialPath = m_document->fileName();
    const QString path = m_prompter.saveFileName(request);
    if (path.isEmpty())
        return false;
    saveProject(path);
    return true;
}

void DocumentController::saveProject(const QString &path)
{
    // The file is written whole beside the old one and then takes its place,
    // so a failed write leaves the old file as it was; the plan is never
    // touched by saving.
    m_document->save(path, shownState ? shownState() : ProjectShown{});
    rememberProject(path);
}

void DocumentController::rememberProject(const QString &path)
{
    RecordLastProject(path);
    AddRecentProject(path);
}

} // namespace ludra
