#pragma once

#include <QHash>
#include <QString>

class QWidget;

namespace ludra {

// Where in the help file each window and tab of Ludra is described: an
// anchor of the help file for the object name of the window or tab page.
const QHash<QString, QString> &HelpTopics();

// The topic of the help's contents, where a window without a topic of its
// own opens the help.
inline const QString HelpContentsTopic = QStringLiteral("contents");

// The topic of the window or tab a widget belongs to: that of the widget or
// of the nearest of its parents, up to its window, that has one; empty when
// none has.
QString HelpTopicFor(const QWidget *widget);

} // namespace ludra
