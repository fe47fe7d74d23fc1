// What a screen reader hears of the SetArea control: "Tracking area", its
// value the area in the unit the dialog shows and, while the status line
// shows one of the capture's prompts, that prompt; and the events that make
// a reader say it again. The unit and the prompt are window properties: the
// control's window bytes keep their fixed layout.
#include <cstdio>

#include "controls/area_capture.h"
#include "controls/controls.h"
#include "core/area_text.h"
#include "core/measure.h"
#include "defs/features.h"
#include "win/accessible.h"
#include "win/resources.h"

namespace {

const char UnitProperty[] = "TabletAreaUnit";      // unit + 1; absent: inches
const char PromptProperty[] = "TabletAreaPrompt";  // string id of the prompt shown; absent: none
const char AreaName[] = "Tracking area";
constexpr int PromptSize = 80;

int SpokenUnit(HWND control) {
    INT_PTR stored = reinterpret_cast<INT_PTR>(GetPropA(control, UnitProperty));
    return stored ? static_cast<int>(stored - 1) : UnitInches;
}

UINT PromptShown(HWND control) {
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetPropA(control, PromptProperty)));
}

void SpokenAreaName(HWND, char* text, int size) { lstrcpynA(text, AreaName, size); }

void AreaValue(HWND control, char* text, int size) {
    AreaBounds area = ReadArea(control, AreaRectSlot);
    AxisInfo x, y;
    AreaTablet(x, y);
    char spoken[AreaTextSize] = "";
    SpokenAreaText(area.left, area.top, area.right, area.bottom, SpokenUnit(control), x, y, spoken);
    char prompt[PromptSize] = "";
    if (UINT id = PromptShown(control)) LoadStringA(ResourceInstance(), id, prompt, sizeof prompt);
    std::snprintf(text, static_cast<size_t>(size), prompt[0] ? "%s; %s" : "%s", spoken, prompt);
}

const AccessibleTraits SetAreaAccess = {
    ROLE_SYSTEM_GRAPHIC, true, SpokenAreaName, AreaValue, nullptr, nullptr, 0, nullptr, 0, nullptr, nullptr, nullptr};

// The status-line text each notification asks the dialog for: a prompt's
// string id, 0 for a cleared line, -1 when it leaves the line alone.
int PromptOf(WORD code) {
    switch (code) {
    case SAN_ASKLOWERLEFT: return IDS_ASK_LOWER_LEFT;
    case SAN_ASKUPPERRIGHT: return IDS_ASK_UPPER_RIGHT;
    case SAN_DEFINED: return IDS_AREA_DEFINED;
    case SAN_OUTOFRANGE: return IDS_OUT_OF_RANGE;
    case SAN_CANCELLED:
    case SAN_FOCUSLOST: return 0;
    default: return -1;
    }
}

}  // namespace

LRESULT ServeAreaAccessible(HWND control, WPARAM wParam, LPARAM lParam) {
    return ServeAccessibleObject(control, wParam, lParam, SetAreaAccess);
}

void SpeakAreaNotification(HWND control, WORD code) {
    if (code == SAN_AREARESET || code == SAN_AREACHANGED) {
        NotifyAccessibleEvent(control, EVENT_OBJECT_VALUECHANGE);
        return;
    }
    const int prompt = PromptOf(code);
    if (prompt < 0 || static_cast<UINT>(prompt) == PromptShown(control)) return;
    if (prompt)
        SetPropA(control, PromptProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(prompt)));
    else
        RemovePropA(control, PromptProperty);
    if (prompt) NotifyAccessibleEvent(control, EVENT_OBJECT_NAMECHANGE);
    NotifyAccessibleEvent(control, EVENT_OBJECT_VALUECHANGE);
}

void ForgetAreaSpeech(HWND control) {
    RemovePropA(control, UnitProperty);
    RemovePropA(control, PromptProperty);
}

void SetAreaSpokenUnit(HWND control, int unit) {
    if (!control || SpokenUnit(control) == unit) return;
    SetPropA(control, UnitProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(unit + 1)));
    NotifyAccessibleEvent(control, EVENT_OBJECT_VALUECHANGE);
}
