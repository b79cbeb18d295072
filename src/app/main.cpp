#include "app/frmludra.h"
#include "app/ludraapplication.h"
#include "app/widgetprompter.h"

int main(int argc, char *argv[])
{
    ludra::LudraApplication app(argc, argv);
    ludra::WidgetPrompter prompter;
    app.setPrompter(&prompter);

    // The first window starts the program; further windows ("New Window")
    // share it and delete themselves when closed. Closing the last one ends
    // the program.
    ludra::TfrmLudra window(prompter);
    prompter.setParent(&window);
    window.show();
    return app.exec();
}
