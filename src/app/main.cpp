// JunkSweep: start-up and the end of the process.
#include <windows.h>
#include <commctrl.h>

#include "app/app_resources.h"
#include "app/command_line_switches.h"
#include "app/exit_codes.h"
#include "app/program_folder_check.h"
#include "app/single_instance.h"
#include "app/system_services.h"
#include "app/welcome_page.h"
#include "app/wizard_window.h"
#include "clean/clean_log.h"
#include "config/config_document.h"
#include "config/settings.h"
#include "pages/wizard_pages.h"
#include "platform/com.h"
#include "platform/trace.h"
#include "text/language_choice.h"
#include "ui/message_loop.h"
#include "ui/shell_actions.h"

namespace {

constexpr int kStartupStopped = 0;

void InitCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    // The bar and cool-bar classes, and what the pages and dialogs use.
    controls.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                     ICC_PROGRESS_CLASS | ICC_TAB_CLASSES;
    ::InitCommonControlsEx(&controls);
}

std::vector<pages::PageSlot> WizardPages(pages::Session& session, const pages::Services& services,
                                         pages::RunMode mode) {
    std::vector<pages::PageSlot> pages;
    pages.push_back({pages::MakePage<app::WelcomePage>(mode), IDD_WELCOME_PAGE});
    for (pages::PageSlot& page : pages::CreateScanAndCleanPages(session, services, mode)) {
        pages.push_back(std::move(page));
    }
    return pages;
}

int Run(const char* commandLine, int showCommand) {
    platform::ComApartment com;
    // The language chosen in the options, or that of Windows; a change of
    // the choice takes effect here, at the next start.
    text::UseLanguage(text::ResolveLanguage(config::LoadLanguage(config::ValueSet::Custom),
                                            text::DisplayLanguageName(), text::InstalledTranslations()));

    app::SingleInstance instance;
    if (instance.AnotherIsRunning()) {
        ui::ShowMessage(nullptr, "_AlreadyRunningAnInstance", MB_OK | MB_ICONINFORMATION);
        return kStartupStopped;
    }
    if (!config::XmlParserAvailable()) {
        ui::ShowMessage(nullptr, "_NotInstallXML2", MB_OK | MB_ICONINFORMATION);
        return kStartupStopped;
    }
    const app::StartOptions start = app::StartOptions::From(commandLine ? commandLine : "");
    if (!app::ProgramFolderWritable(pages::IsUnattended(start.runMode))) {
        return app::kExitFolderNotWritable;
    }
    // A preview leaves the settings as they are, byte for byte: not even the
    // pages that save what they show on closing may write them.
    if (start.runMode == pages::RunMode::Preview) config::KeepSettingsUnchanged();
    InitCommonControls();
    int show = start.hidden ? SW_HIDE : showCommand;

    ui::MessageLoop loop;
    const pages::Services services = app::SystemServices();
    app::WizardWindow wizard(
        [&](pages::Session& session) { return WizardPages(session, services, start.runMode); }, services,
        start.trayIcon);
    HWND window = wizard.Create();
    if (!window) {
        platform::TraceLastError("start-up", "the wizard window cannot be created");
        return kStartupStopped;
    }
    ::ShowWindow(window, show);
    const int code = loop.Run();
    // The record of an unattended run is its log: a run that could not write
    // it says so in its exit code.
    return code == app::kExitEnded && clean::LogNotWritten() ? app::kExitLogNotWritten : code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int showCommand) {
    try {
        return Run(commandLine, showCommand);
    } catch (...) {
        platform::TraceException("start-up");
        return kStartupStopped;
    }
}
