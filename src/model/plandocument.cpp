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
    ProjectShown shown;
    try {
        shown = ApplyProject(ReadProjectFile(path), reference().nanoList(), layout(), settings(), results());
    } catch (const EStreamError &e) {
        // A file that cannot be opened says so, with its name, once.
        throw Exception(e.message().startsWith(CannotOpenFileMessage(path, QString()).trimmed())
                            ? e.message()
                            : CannotOpenDocumentMessage(path, e.message()));
    } catch (const Exception &e) {
        throw Exception(CannotOpenDocumentMessage(path, e.message()));
    }
    m_fileName = path;
    startHistory();
    Q_EMIT fileNameChanged(m_fileName);
    tellOpened();
    return shown;
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
