#include "text/langapply.h"

#include "text/langfile.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTranslator>
#include <QWidget>

#include <memory>

namespace ludra {

namespace {

// The tab widget and index of a tab page; nullptr when the widget is none.
QTabWidget *tabOf(QWidget *widget, int *index)
{
    auto *stack = qobject_cast<QStackedWidget *>(widget->parentWidget());
    auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
    if (!tabs)
        return nullptr;
    *index = tabs->indexOf(widget);
    return *index >= 0 ? tabs : nullptr;
}

// The name of the property that holds an object's caption: "title" for
// group boxes and menus, "text" for buttons, labels and actions; empty when
// it has none. Looked up at run time, so any control with such a property
// is covered.
const char *captionProperty(const QObject *object)
{
    if (qobject_cast<const QGroupBox *>(object) || qobject_cast<const QMenu *>(object))
        return "title";
    if (qobject_cast<const QAbstractButton *>(object) || qobject_cast<const QLabel *>(object) ||
        qobject_cast<const QAction *>(object))
        return "text";
    return nullptr;
}

// Whether an object is a part the toolkit made inside one of its controls
// (the scroll buttons of a tab bar, the text box of a spin box), whatever
// name the toolkit gave it.
bool insideToolkitControl(const QObject *object, const QObject *window)
{
    for (const QObject *parent = object->parent(); parent && parent != window; parent = parent->parent()) {
        if (qobject_cast<const QTabBar *>(parent) || qobject_cast<const QAbstractSpinBox *>(parent) ||
            qobject_cast<const QComboBox *>(parent) || qobject_cast<const QScrollBar *>(parent))
            return true;
    }
    return false;
}

void appendKeys(QList<LangKey> &keys, const QString &prefix, QObject *object)
{
    const QString name = prefix + object->objectName();
    auto *widget = qobject_cast<QWidget *>(object);
    // A control without a caption of its own (an image, an icon button, a
    // pop-up menu, a label the program fills later) has no caption key.
    int tabIndex = -1;
    QString caption;
    if (QTabWidget *tabs = widget ? tabOf(widget, &tabIndex) : nullptr)
        caption = tabs->tabText(tabIndex);
    else if (const char *property = captionProperty(object))
        caption = object->property(property).toString();
    if (!caption.isEmpty())
        keys.append(LangKey{name + QStringLiteral(".Caption"), caption, LangKey::Caption, object});

    const QString hint = widget ? widget->toolTip()
                                : qobject_cast<QAction *>(object) ? qobject_cast<QAction *>(object)->toolTip()
                                                                   : QString();
    // An action's tool tip defaults to its text; only a hint of its own counts.
    const bool ownHint = widget || (qobject_cast<QAction *>(object) &&
                                    hint != qobject_cast<QAction *>(object)->iconText());
    if (!hint.isEmpty() && ownHint)
        keys.append(LangKey{name + QStringLiteral(".Hint"), hint, LangKey::Hint, object});

    const bool dataEntries = object->property(LangDataEntries).toBool();
    if (auto *memo = dataEntries ? nullptr : qobject_cast<QPlainTextEdit *>(object)) {
        const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
        for (int n = 0; n < lines.size(); ++n)
            keys.append(LangKey{name + QStringLiteral(".lines[%1]").arg(n), lines.at(n), LangKey::Line, object, n});
    }
    if (auto *combo = dataEntries ? nullptr : qobject_cast<QComboBox *>(object)) {
        for (int n = 0; n < combo->count(); ++n)
            keys.append(LangKey{name + QStringLiteral(".items[%1]").arg(n), combo->itemText(n), LangKey::Item,
                                object, n});
    }
    // A control with a caption is read by it and has no name of its own.
    if (widget && !widget->accessibleName().isEmpty())
        keys.append(LangKey{name + QStringLiteral(".AccessibleName"), widget->accessibleName(), LangKey::AccessibleName,
                            object});
    if (widget && !widget->accessibleDescription().isEmpty())
        keys.append(LangKey{name + QStringLiteral(".AccessibleDescription"), widget->accessibleDescription(),
                            LangKey::AccessibleDescription, object});
}

void setText(const LangKey &key, const QString &text)
{
    QObject *object = key.object;
    switch (key.kind) {
    case LangKey::Caption: {
        auto *widget = qobject_cast<QWidget *>(object);
        int tabIndex = -1;
        if (QTabWidget *tabs = widget ? tabOf(widget, &tabIndex) : nullptr)
            tabs->setTabText(tabIndex, text);
        else if (const char *property = captionProperty(object))
            object->setProperty(property, text);
        break;
    }
    case LangKey::Hint:
        if (auto *widget = qobject_cast<QWidget *>(object))
            widget->setToolTip(text);
        else if (auto *action = qobject_cast<QAction *>(object))
            action->setToolTip(text);
        break;
    case LangKey::Line:
        if (auto *memo = qobject_cast<QPlainTextEdit *>(object)) {
            QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
            if (key.index < lines.size()) {
                lines[key.index] = text;
                memo->setPlainText(lines.join(QLatin1Char('\n')));
            }
        }
        break;
    case LangKey::Item:
        if (auto *combo = qobject_cast<QComboBox *>(object); combo && key.index < combo->count())
            combo->setItemText(key.index, text);
        break;
    case LangKey::AccessibleName:
        if (auto *widget = qobject_cast<QWidget *>(object))
            widget->setAccessibleName(text);
        break;
    case LangKey::AccessibleDescription:
        if (auto *widget = qobject_cast<QWidget *>(object))
            widget->setAccessibleDescription(text);
        break;
    }
}

} // namespace

QList<LangKey> LangKeys(QWidget &window)
{
    const QString section = window.objectName();
    QList<LangKey> keys;
    // The "[*]" where a window marks unsaved changes is no part of its text.
    QString caption = window.windowTitle();
    caption.remove(QStringLiteral("[*]"));
    keys.append(LangKey{section + QStringLiteral(".Caption"), caption, LangKey::Caption, &window});
    const QString prefix = section + QLatin1Char('.');
    for (QObject *object : window.findChildren<QObject *>()) {
        // Objects without a name are the toolkit's own parts, not controls.
        if (object->objectName().isEmpty() || object->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (object->property(LangFixed).toBool() || insideToolkitControl(object, &window))
            continue;
        appendKeys(keys, prefix, object);
    }
    return keys;
}

namespace {

// Whether an object is the part or lies within it.
bool within(const QObject *object, const QObject *part)
{
    for (const QObject *o = object; o; o = o->parent())
        if (o == part)
            return true;
    return false;
}

void applyKeys(QWidget &window, const TLangFile &file, const QObject *part)
{
    const QString section = window.objectName();
    for (const LangKey &key : LangKeys(window)) {
        if (part && !within(key.object, part))
            continue;
        if (key.kind == LangKey::Line) {
            // Only an absent key leaves a line; an empty value empties it.
            static const QString sentinel = QStringLiteral("fsdef");
            const QString text = file.value(section, key.key, sentinel);
            if (text != sentinel)
                setText(key, text);
            continue;
        }
        const QString text = file.value(section, key.key);
        if (text.isEmpty())
            continue;
        if (key.object == &window)
            window.setWindowTitle(text);
        else
            setText(key, text);
    }
}

} // namespace

void LangApply(QWidget &window, const TLangFile &file)
{
    const QString font = file.value(QStringLiteral("SETTINGS"), QStringLiteral("Font"));
    if (!font.isEmpty()) {
        QFont windowFont = window.font();
        windowFont.setFamily(font);
        window.setFont(windowFont);
    }
    applyKeys(window, file, nullptr);
}

void LangApplyProgram(QWidget &window)
{
    if (const TLangFile *file = LangFile())
        LangApply(window, *file);
}

void LangApplyProgram(QWidget &window, const QObject &part)
{
    if (const TLangFile *file = LangFile())
        applyKeys(window, *file, &part);
}

QLocale LangLocale()
{
    if (const TLangFile *file = LangFile()) {
        const QString name = file->value(QStringLiteral("SETTINGS"), QStringLiteral("Locale"));
        if (!name.isEmpty())
            return QLocale(name);
    }
    return QLocale();
}

bool LangLoadToolkitTranslation()
{
    // The application owns the translator, so it goes with the application.
    static QPointer<QTranslator> loaded;
    if (loaded) {
        QCoreApplication::removeTranslator(loaded);
        delete loaded;
    }
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (!translator->load(LangLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get()))
        return false;
    loaded = translator.release();
    return true;
}

} // namespace ludra
