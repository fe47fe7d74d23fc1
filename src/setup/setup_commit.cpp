// The Tablet Setup dialog's commit: the exchange writes the settings, and the
// dialog shows the boxes that go with it (the lost-clicks warning, the tablet
// that no longer answers).
#include <cstring>

#include "defs/features.h"
#include "setup/setup.h"
#include "win/resources.h"

namespace {

// The warning's text is two strings joined: each is loaded into at most this
// many characters, and the text holds both.
constexpr int WarningPartSize = 80;

// The warning before settings that take the mouse clicks away; true on OK.
bool ConfirmLostClicks(uint32_t lostMask, void* owner) {
    char text[2 * WarningPartSize] = "";
    char ending[WarningPartSize] = "";
    char title[WarningPartSize] = "";
    HINSTANCE instance = ResourceInstance();
    LoadStringA(instance, IDS_WILL_DISABLE, text, WarningPartSize);
    LoadStringA(instance, LostClicksWarningString(lostMask), ending, sizeof ending);
    LoadStringA(instance, IDS_WARNING, title, sizeof title);
    strncat(text, ending, sizeof text - strlen(text) - 1);
    return MessageBoxA(static_cast<HWND>(owner), text, title, MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) == IDOK;
}

// The dialog stays open when the tablet no longer answers or changed, so
// that Cancel can still put the settings back.
int ShowCommitOutcome(HWND window, CommitOutcome outcome) {
    if (outcome == CommitTabletGone) ShowErrorBox(window, IDS_TABLET_NOT_ANSWERING);
    if (outcome == CommitTabletChanged) ShowErrorBox(window, IDS_TABLET_CHANGED);
    return outcome == CommitWritten ? 1 : 0;
}

}  // namespace

int CommitSettings(HWND window, SetupSettings& settings, const ButtonMap& openedMap) {
    LostClicksConfirmation confirmation = {ConfirmLostClicks, window};
    return ShowCommitOutcome(window, CommitSettings(settings, openedMap, confirmation));
}

int CommitSettings(HWND window, SetupSettings& settings) {
    LostClicksConfirmation confirmation = {ConfirmLostClicks, window};
    return ShowCommitOutcome(window, CommitSettings(settings, confirmation));
}
