#include "app/commandline.h"
#include "app/frmludra.h"
#include "app/ludraapplication.h"
#include "app/session.h"
#include "app/widgetprompter.h"

int main(int argc, char *argv[])
{
    // --help and --version are answered on the terminal, with no window.
    if (const std::optional<int> status = ludra::AnswerInfoOptions(argc, argv))
        return *status;
    ludra::LudraApplication app(argc, argv);
    ludra::WidgetPrompter prompter;
    app.setPrompter(&prompter);

    // The first window starts the program and opens the first project named;
    // further windows ("New Window", each further project named) share it
    // and delete themselves when closed. Closing the last one ends the
    // program.
    const QStringList projects = ludra::ProjectArguments(QApplication::arguments());
    ludra::TfrmLudra window(prompter, nullptr, projects);
    prompter.setParent(&window);
    window.show();
    for (qsizetype i = 1; i < projects.size(); ++i)
        window.session().newWindow(projects.at(i));
    return app.exec();
}
