#pragma once

#include "app/frmludra.h"
#include "model/plandocument.h"
#include "common/paths.h"
#include "model/options.h"
#include "support/namedchild.h"
#include "support/scriptedprompter.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

// The main window over a base folder of its own, with scripted answers to
// its prompts, for tests that drive the window by its controls' names. A test
// class derives from QObject first, then from this; its init() calls
// startFolder() and writes the files it needs, its cleanup() stopFolder().
class MainWindowFixture
{
protected:
    // A new empty base folder, its (absent) options file read in place of
    // the one of the test before, and no answers or questions left from that
    // test; false when the folder cannot be made.
    bool startFolder()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        if (!m_dir->isValid())
            return false;
        ludra::SetBaseDir(m_dir->path());
        ludra::LoadProgramOptions();
        m_prompter = ScriptedPrompter();
        return true;
    }

    // The window goes before the folder it reads and writes.
    void stopFolder()
    {
        m_window.reset();
        ludra::SetBaseDir(QString());
        m_dir.reset();
    }

    // Makes the main window over the folder and shows it; false when it is
    // never shown.
    bool showWindow()
    {
        m_window = std::make_unique<ludra::TfrmLudra>(m_prompter);
        // Every tab made, as a player who has looked at them all finds them.
        m_window->makeEveryPage();
        m_window->show();
        return QTest::qWaitForWindowExposed(m_window.get());
    }

    // Changes the settings of the window's document, as another part of the
    // program would.
    void changeSettings(const std::function<void(ludra::BuildSettings &)> &change)
    {
        ludra::BuildSettings settings = m_window->document().buildSettings();
        change(settings);
        m_window->document().setSettings(settings);
    }

    // A control of the window by its name; the tabs made when first shown
    // are made first, as a player looking for it would show them.
    template <typename T> T *find(const char *name) const
    {
        m_window->makeEveryPage();
        return namedChild<T>(*m_window, QString::fromLatin1(name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPrompter m_prompter;
    std::unique_ptr<ludra::TfrmLudra> m_window;
};
