// Shared state and helpers of the Tablet Setup dialog's source files. The
// dialog is modal, so one copy of its state serves every opening.
#pragma once

#include <windows.h>

#include "core/area_math.h"
#include "core/settings.h"
#include "dialogs/dialogs.h"
#include "exchange/snapshot.h"

// setup_dialog.cpp: the dialog's state and flow.
extern TabletSnapshot openedTablet;    // read at open: everything the dialog shows is worked out on it
extern ShownAxes shownAxes;            // its axes
extern SetupSettings workingSettings;  // the copy the controls edit
extern SetupSettings openedSettings;   // taken at open, before any control touched it
extern int areaUnit;                   // chosen in the Units list
extern int openedUnit;
extern int preserveAspect;  // Preserve Aspect Ratio; kept between openings within a run
extern int openedPreserveAspect;
extern UINT selectedButton;  // index in the button list

void ShowSettings(HWND window, SetupSettings& settings, int unit, int preserve, UINT button);
void EnableControls(HWND window, UINT first, UINT last, BOOL enable);
// The sensitivity label, field and spin: usable in relative mode on a tablet
// whose resolution gives percentages; without one, disabled and empty.
void EnableSensitivity(HWND window, const SetupSettings& settings);
// The status line between the area control's prompts: blank, or why the
// sensitivity is disabled.
void ShowRestingStatus(HWND window);
void FlashButton(HWND window, int id);
void ShowStatus(HWND window, UINT stringId);
LRESULT CALLBACK LabelSubclassProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
int SubclassedLabelCount();  // live entries of the label table

// setup_buttons.cpp: tracking mode, sensitivity and button assignments.
// The sensitivity field: the percentage shown, its largest value, and the
// counts per unit that 100 percent stands for, worked out at opening.
struct SensitivityField {
    DWORD percent;
    DWORD maximum;
    DWORD base;
};
extern SensitivityField sensitivityField;

// The field for a settings record's sensitivity, on the tablet's scale.
SensitivityField SensitivityFieldFor(const SetupSettings& settings);
// Shows the field's percentage and stores the driver sensitivity it stands
// for in settings, so that the record holds exactly what is shown.
void ShowAndStoreSensitivity(HWND window, SetupSettings& settings);
// The characters a user may type into the sensitivity field ("100%").
constexpr WPARAM SensitivityTextLimit = 4;
void ReadSensitivityText(char* text);
void FillButtonList(HWND window);
void FillActionList(HWND window);
void ShowButtonAction(HWND window, const SetupSettings& settings, UINT button);
INT_PTR OnTrackingMode(HWND window, WORD id);
INT_PTR OnSensitivityKillFocus(HWND window);
INT_PTR OnSensitivitySpin(HWND window, WORD code);
INT_PTR OnDefaultButtons(HWND window);
INT_PTR OnButtonSelected(HWND window);
INT_PTR OnActionSelected(HWND window);

// setup_area.cpp: the tracking area.
extern DWORD areaStep;
extern AreaBox shownArea;
extern AreaLimits areaLimits;  // displayAspect, maxAreaWidth, maxAreaHeight and the extents

void ShapeAreaControl(HWND control);
// The characters a user may type into an area field.
constexpr WPARAM AreaFieldTextLimit = 7;
// Which area fields ShowArea writes: all six, or those whose value differs
// from what the fields showed last.
enum AreaFieldsToWrite { AreaFieldsChanged, AreaFieldsAll };
void ShowArea(HWND window, const AreaBox& area, int unit, AreaFieldsToWrite which);
void FillUnitList(HWND window);
void GiveAreaToControl(HWND window);
INT_PTR OnUnitSelected(HWND window);
INT_PTR OnAreaFieldKillFocus(HWND window, WORD id);
INT_PTR OnAreaSpin(HWND window, WORD id, WORD code);
INT_PTR OnWholeTablet(HWND window);
INT_PTR OnPreserveAspect(HWND window);
INT_PTR OnAreaControlArea(HWND window, WORD code);
