#include "model/documentcontroller.h"

#include "common/prompter.h"
#include "model/options.h"
#include "model/plandocument.h"
#include "model/program.h"
#include "model/recovery.h"
#include "common/errors.h"
#include "text/messages.h"

#include <QDir>

#include <algorithm>
#include <QFileInfo>

namespace ludra {

DocumentController::DocumentController(LudraProgram &program, Prompter &prompter, QObject *parent)
    : QObject(parent), m_program(program), m_prompter(prompter), m_document(std::make_unique<PlanDocument>(program)),
      m_recovery(std::make_unique<RecoveryCopy>())
{
    m_recoveryTimer.setSingleShot(true);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &DocumentController::recoveryDue);
    // The copy is written on a thread of its own; what came of it is told
    // here, on the window's.
    m_recovery->written = [this](const QString &problem) {
        QMetaObject::invokeMethod(this, [this, problem] {
            // A failure told after the plan was saved is no longer one.
            setRecoveryProblem(m_document->isModified() ? problem : QString());
        }, Qt::QueuedConnection);
    };
    followForRecovery();
}

// A controller goes with its window, once the question before unsaved
// changes go has been answered, or at the end of the program; either way the
// copy goes. A program that ends abnormally never gets here, and its copies
// stay.
DocumentController::~DocumentController()
{
    m_recoveryTimer.stop();
    m_recovery->remove();
}

void DocumentController::followForRecovery()
{
    PlanDocument *document = m_document.get();
    connect(document, &LayoutDocument::planChanged, this, &DocumentController::noteChange);
    connect(document, &BuildDocument::settingsChanged, this, &DocumentController::noteChange);
    connect(document, &BuildDocument::resultsChanged, this, &DocumentController::noteChange);
    connect(document, &LayoutDocument::modifiedChanged, this, [this](bool modified) {
        if (modified)
            return noteChange();
        // Saved, or back where the file is: nothing to recover.
        dropRecoveryCopy();
    });
}

void DocumentController::noteChange()
{
    if (!m_document->isModified())
        return;
    m_sinceChange.start();
    if (!m_recoveryTimer.isActive()) {
        m_pendingSince.start();
        m_recoveryTimer.start(RecoveryDelay);
    }
}

void DocumentController::recoveryDue()
{
    const qint64 still = m_sinceChange.elapsed();
    const qint64 waited = m_pendingSince.elapsed();
    if (still < RecoveryDelay && waited < RecoveryLongestWait) {
        m_recoveryTimer.start(int(std::min(RecoveryDelay - still, RecoveryLongestWait - waited)));
        return;
    }
    writeRecoveryCopy();
}

void DocumentController::writeRecoveryCopy()
{
    m_recoveryTimer.stop();
    if (!m_document->isModified())
        return;
    try {
        m_recovery->write(m_document->projectImage(shownState ? shownState() : ProjectShown{}),
                          m_document->fileName(),
                          QDateTime::currentDateTime().addMSecs(m_sinceChange.isValid() ? -m_sinceChange.elapsed() : 0));
    } catch (const Exception &e) {
        // Nothing the player did failed, so nothing interrupts the work: the
        // window tells it, and the next change tries again.
        setRecoveryProblem(e.message());
    }
}

void DocumentController::dropRecoveryCopy()
{
    m_recoveryTimer.stop();
    m_recovery->remove();
    setRecoveryProblem(QString());
}

void DocumentController::setRecoveryProblem(const QString &problem)
{
    if (problem == m_recoveryProblem)
        return;
    m_recoveryProblem = problem;
    Q_EMIT recoveryProblemChanged(problem);
}

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
    followForRecovery();
    m_recoveryTimer.stop();
    m_sinceChange.invalidate();
    // A plan with nothing unsaved (new, opened) has nothing to recover; the
    // copy of the plan it replaces, saved or given up, goes.
    if (m_document->isModified())
        noteChange();
    else
        dropRecoveryCopy();
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
        const QString name = PlanNameInMessages(m_document->fileName());
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

void DocumentController::closed()
{
    dropRecoveryCopy();
}

void DocumentController::restore(LeftCopy &&copy)
{
    std::unique_ptr<PlanDocument> restored = makeDocument();
    const ProjectShown shown = restored->restore(*copy.project, copy.fileName);
    replace(std::move(restored));
    m_recovery->adopt(std::move(copy));
    // The copy on disk is the plan as shown, so nothing waits to be written.
    m_recoveryTimer.stop();
    setRecoveryProblem(QString());
    Q_EMIT projectOpened(shown);
}

bool DocumentController::maybeSave()
{
    if (!m_document->isModified() || !AskToSaveOption())
        return true;
    const QString name = PlanNameInMessages(m_document->fileName());
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
