// What a screen reader hears of the SetArea control: "Tracking area", its
// value the area in the unit the dialog shows and, while the status line
// shows one of the capture's prompts, that prompt; and the events that make
// a reader say it again. The unit and the prompt are window properties: the
// control's window bytes keep their fixed layout. Which prompt a notification
// calls for is decided here once, for the dialog's status line as well.
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

constexpr AccessibleTraits SetAreaAccess =
    AccessibleTraits{}.Role(ROLE_SYSTEM_GRAPHIC).Focusable().Name(SpokenAreaName).Value(AreaValue);

}  // namespace

int AreaPromptOf(WORD code) {
    switch (code) {
    case SAN_ASKLOWERLEFT: return IDS_ASK_LOWER_LEFT;
    case SAN_ASKUPPERRIGHT: return IDS_ASK_UPPER_RIGHT;
    case SAN_DEFINED: return IDS_AREA_DEFINED;
    case SAN_OUTOFRANGE: return IDS_OUT_OF_RANGE;
    case SAN_CANCELLED:
    case SAN_FOCUSLOST: return AreaPromptCleared;
    default: return AreaPromptKept;
    }
}

LRESULT ServeAreaAccessible(HWND control, WPARAM wParam, LPARAM lParam) {
    return ServeAccessibleObject(control, wParam, lParam, SetAreaAccess);
}

// The prompt is part of the value (the name stays "Tracking area"); a change
// of the area itself is told where it is stored (StoreShownArea).
void SpeakAreaNotification(HWND control, WORD code) {
    const int prompt = AreaPromptOf(code);
    if (prompt == AreaPromptKept || static_cast<UINT>(prompt) == PromptShown(control)) return;
    if (prompt != AreaPromptCleared)
        SetPropA(control, PromptProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(prompt)));
    else
        RemovePropA(control, PromptProperty);
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
