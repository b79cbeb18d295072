#pragma once

#include <QList>
#include <QLocale>
#include <QString>

class QObject;
class QWidget;

namespace ludra {

class TLangFile;

// One text of a window that a language file can replace: its key in the
// window's section (for example "frmLudra.btnBuild.Caption") and the text the
// window has built in.
struct LangKey
{
    enum Kind { Caption, Hint, Line, Item, AccessibleName, AccessibleDescription };

    QString key;
    QString text;
    Kind kind = Caption;
    QObject *object = nullptr;
    // The line or entry of a Line or Item key.
    int index = 0;
};

// A control whose text is not part of the window's design sets this property
// to true and has no keys: the program's name and version, a menu item made
// from a message or a file, a note the window writes once it has read its
// files. Such a text is made after the window applied the language file, so
// a key for it would never be applied.
inline constexpr const char *LangFixed = "langFixed";

// A control whose entries or lines are data rather than texts of the window
// (the system's fonts, a title the user typed) sets this property to true:
// its caption, hint and names keep their keys, its entries and lines have
// none.
inline constexpr const char *LangDataEntries = "langDataEntries";

// Every replaceable text of a window, in the order of its object tree (the
// order in which its controls were made): the window's caption, then per
// named control its caption when it has one (the text or title of buttons,
// labels, check boxes, radio buttons, group boxes, menus and menu items, the
// tab text of a tab page), its hint, the lines of a multi-line text box, the
// entries of a drop-down list, and what a screen reader says of a control
// without a caption: its accessible name ("AccessibleName") and the purpose
// of a state label ("AccessibleDescription"). Found from the window's objects
// and their properties, so no control can be missed; the parts the toolkit
// makes inside its controls and the controls marked LangFixed are left out,
// and so are the entries and lines of the controls marked LangDataEntries.
QList<LangKey> LangKeys(QWidget &window);

// Applies a language file to a window (LangApply): every key of LangKeys
// with a non-empty value replaces its text (a multi-line box's line is
// replaced, by an empty value too, unless the key is absent); the "Font" of
// "SETTINGS", when given, becomes the window's font face. "Charset" names a
// character set of another platform's fonts; fonts here carry none, so it is
// read and has nothing to apply to.
void LangApply(QWidget &window, const TLangFile &file);

// Applies the program's language file to a window when there is one: the
// first thing each window does once its controls exist.
void LangApplyProgram(QWidget &window);
// The same for the controls of one part of a window made after the window
// applied the file (a page made when it is first shown): the keys of the
// window's section whose control lies within the part.
void LangApplyProgram(QWidget &window, const QObject &part);

// The locale of the toolkit's own texts (the buttons of message boxes, the
// file dialogs): "Locale" of "SETTINGS" in the program's language file (for
// example "de"); without a file, a key or a value, the default locale, which
// is the system's.
QLocale LangLocale();

// Loads the toolkit's own translation (qtbase, from the toolkit's folder of
// translations) for LangLocale(), in place of the one loaded before. False
// when there is none for that locale: the toolkit's texts are then English.
bool LangLoadToolkitTranslation();

} // namespace ludra
