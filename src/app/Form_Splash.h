#pragma once
#include "platform/Control.h"
#include "platform/FormBase.h"
#include "platform/Picture.h"

// The splash window shown while the program starts.
class Form_Splash : public FormBase {
public:
    Form_Splash();

    FrameBox Frame1;
    Picture Splash_Image;
    Label lblProductName;
    Label lblVersion;

    void Form_Load();
    void Form_KeyPress(int keyAscii);
    void Frame1_Click();
};

// The splash, created on first use; unloading it is harmless when it does not exist.
Form_Splash& Splash();
bool SplashLoaded();
void UnloadSplash();

// "Release 1.0 build " followed by the program's major.minor.revision.
QString VersionCaption();
