#include <windows.h>

#include "app/CYarrowkeepApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    yk::CYarrowkeepApp app;
    app.initInstance();
    return 0;
}
