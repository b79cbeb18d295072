#pragma once

#include "build/builddocument.h"
#include "model/projectstate.h"

#include <QString>

namespace ludra {

class LudraProgram;

// One open plan of the program: the plan with how it is shown, its build
// settings and character, its results and whether they are stale, its own
// history of edits (BuildDocument, LayoutDocument), and its project file with
// whether it has unsaved changes. Every change goes through the document,
// which tells it by a signal; the pages of a window follow the document they
// show through those signals. The reference data, the stock and the options
// belong to the program and are shared by every document.
class PlanDocument : public BuildDocument
{
    Q_OBJECT

public:
    // An empty plan with the default settings, every skill available, by
    // body placement with skill names.
    explicit PlanDocument(LudraProgram &program, QObject *parent = nullptr);

    LudraProgram &program() const { return m_program; }

    // The project file last opened or saved; empty before.
    const QString &fileName() const { return m_fileName; }

    // Reads a project whole and, once it has been read, puts it into the
    // document: a file that cannot be read throws, with the file's name and
    // the reason, and the document stays as it was. The history starts
    // afresh and nothing is unsaved.
    ProjectShown open(const QString &path);
    // Puts a plan kept in a recovery copy into the document, as the project
    // fileName (empty for a plan never saved) with its changes unsaved. A
    // copy that cannot be applied throws, and the document stays as it was.
    ProjectShown restore(const ProjectImage &project, const QString &fileName);
    // Writes the document to a project file, replacing it only once the new
    // file is whole, and makes it the document's file.
    void save(const QString &path, const ProjectShown &shown);
    // The document as a project holds it, with what the window shows of it.
    ProjectImage projectImage(const ProjectShown &shown) const;

Q_SIGNALS:
    void fileNameChanged(const QString &fileName);

private:
    // Applies a project read whole; throws what stops it, with the name.
    ProjectShown apply(const ProjectImage &project, const QString &name);

    LudraProgram &m_program;
    QString m_fileName;
};

} // namespace ludra
