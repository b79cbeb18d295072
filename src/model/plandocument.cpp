#include "model/plandocument.h"

#include "common/errors.h"
#include "common/wholefile.h"
#include "model/program.h"
#include "storage/projectfile.h"

namespace ludra {

PlanDocument::PlanDocument(LudraProgram &program, QObject *parent)
    : BuildDocument(program.reference(), program.stock(), program.defaultSelections(), parent), m_program(program)
{
}

ProjectShown PlanDocument::open(const QString &path)
{
    // The file is read whole before anything changes: a file that cannot be
    // read costs the user nothing but the message.
    ProjectImage project;
    try {
        project = ReadProjectFile(path);
    } catch (const EStreamError &e) {
        // A file that cannot be opened says so, with its name, once.
        throw Exception(e.message().startsWith(CannotOpenFileMessage(path, QString()).trimmed())
                            ? e.message()
                            : CannotOpenDocumentMessage(path, e.message()));
    } catch (const Exception &e) {
        throw Exception(CannotOpenDocumentMessage(path, e.message()));
    }
    const ProjectShown shown = apply(project, path);
    m_fileName = path;
    startHistory();
    Q_EMIT fileNameChanged(m_fileName);
    tellOpened();
    return shown;
}

ProjectShown PlanDocument::restore(const ProjectImage &project, const QString &fileName)
{
    const ProjectShown shown = apply(project, fileName);
    m_fileName = fileName;
    startHistory();
    // Unsaved until the player saves it: the file, if any, is older.
    changedWithoutStep();
    Q_EMIT fileNameChanged(m_fileName);
    tellOpened();
    return shown;
}

ProjectShown PlanDocument::apply(const ProjectImage &project, const QString &name)
{
    try {
        return ApplyProject(project, reference().nanoList(), layout(), settings(), results());
    } catch (const Exception &e) {
        throw Exception(CannotOpenDocumentMessage(name, e.message()));
    }
}

ProjectImage PlanDocument::projectImage(const ProjectShown &shown) const
{
    return CaptureProject(layout(), buildSettings(), results(), shown);
}

void PlanDocument::save(const QString &path, const ProjectShown &shown)
{
    WriteProjectFile(path, projectImage(shown));
    const bool renamed = path != m_fileName;
    m_fileName = path;
    markSaved();
    if (renamed)
        Q_EMIT fileNameChanged(m_fileName);
}

} // namespace ludra
