#include "app/frmludra.h"
#include "app/ludraapplication.h"
#include "app/widgetprompter.h"

int main(int argc, char *argv[])
{
    ludra::LudraApplication app(argc, argv);
    ludra::WidgetPrompter prompter;
    app.setPrompter(&prompter);

    ludra::TfrmLudra window(prompter);
    prompter.setParent(&window);
    window.show();
    return app.exec();
}
