#include "app/Form_Splash.h"
#include "core/Settings.h"

#include <memory>

namespace {
std::unique_ptr<Form_Splash>& instance()
{
    static std::unique_ptr<Form_Splash> form;
    return form;
}
}

Form_Splash::Form_Splash()
{
    Move(0, 0, 7500, 4500);
    Frame1.Move(150, 60, 7200, 4200);
    Splash_Image.SetSize(2400, 2400);
    Splash_Image.SetTop(360);
    lblProductName.SetCaption("Product Name");
    lblProductName.Move(0, 2880, 4800, 600);
    lblProductName.SetAlignment(2);
    lblProductName.SetFontSize(24);
    lblProductName.SetFontBold(true);
    lblVersion.SetCaption("Version");
    lblVersion.Move(0, 3600, 3000, 300);
    lblVersion.SetAlignment(1);
    const std::int32_t dark = 0x402010;
    const std::int32_t light = 0xF0E0D0;
    for (Label* l : {&lblProductName, &lblVersion}) {
        l->SetBackColor(dark);
        l->SetForeColor(light);
    }
    Frame1.SetBackColor(dark);
    Frame1.SetForeColor(light);
    Splash_Image.SetBackColor(dark);
    Frame1.Click = [this] { Frame1_Click(); };
    Adopt(Frame1, lblProductName, lblVersion);
}

void Form_Splash::Form_Load()
{
    lblVersion.SetCaption(VersionCaption());
    lblProductName.SetCaption(AppTitle);
}

void Form_Splash::Form_KeyPress(int) { UnloadSplash(); }

void Form_Splash::Frame1_Click() { UnloadSplash(); }

Form_Splash& Splash()
{
    auto& form = instance();
    if (!form) {
        form = std::make_unique<Form_Splash>();
        form->Form_Load();
    }
    return *form;
}

bool SplashLoaded() { return instance() != nullptr; }

void UnloadSplash()
{
    // A key or click on the splash can arrive while its own handler is still on the stack:
    // the window object goes only after the current event has finished.
    auto& form = instance();
    if (form) {
        form->Hide();
        form->NotifyUnloaded();
        static std::unique_ptr<Form_Splash> retired;
        retired = std::move(form);
    }
}

QString VersionCaption()
{
    return QStringLiteral("Release 1.0 build %1.%2.%3").arg(TORVI_VERSION_MAJOR).arg(TORVI_VERSION_MINOR).arg(TORVI_VERSION_PATCH);
}
