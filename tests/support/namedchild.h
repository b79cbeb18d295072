#pragma once

#include <QObject>
#include <QString>

// The child of this name and type, for tests that drive a window by its
// controls' names. A name no control has ends the test run: the test would
// otherwise go on to use a null pointer.
template <typename T> T *namedChild(const QObject &parent, const QString &name)
{
    T *found = parent.findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}
