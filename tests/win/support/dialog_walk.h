// The walk through every dialog, every button: one list of steps per dialog,
// taken by one walker through a driver. Two drivers take it: one hosting the
// dialogs in the test's process (the fault tests), one driving the program
// in a process of its own. A step one of them must not take says so in its
// row: in the other process, OK with centimetres chosen would write the unit
// to the shared vellix.ini, and the child's session checks inches after.
#pragma once

#include <windows.h>

#include <vector>

namespace fault_test {

enum class Step {
    Open,         // the dialog opened (value: 0 the first time, 1 again)
    Press,        // a click of the control
    Command,      // a bare command, value the whole wParam, that must not end the dialog
    Select,       // entry `value` of the list (-1: the last, none when empty)
    SelectEach,   // every entry of the list in turn
    Type,         // each '|'-separated text of `text` into the field(s)
    Spin,         // the spin control(s) stepped: '+' up, '-' down, as in `text`
    WholeOff,     // Whole Tablet cleared when it is checked
    EveryAction,  // each button, every action then the one it had; the first button again
    Capture,      // the area control takes the focus, sees the pen or a click and a key, and loses it
    Look,         // the driver notes what it reads here: `look`
    End,          // the control ends the dialog: a click, or with value 1 a bare command
};

// Who takes a step.
enum Sides : unsigned { InProcess = 1, OtherProcess = 2, BothSides = InProcess | OtherProcess };

// Tablet Setup's area fields: width, height, left, top, right, bottom.
extern const int AreaFieldIds[6];

// Several fields or spins of Tablet Setup at once, in place of a control id.
constexpr int AllAreaFields = -1;  // width, height, left, top, right, bottom
constexpr int AreaCorners = -2;    // left, top, right, bottom
constexpr int AllAreaSpins = -3;   // the six spins, in the fields' order

// What a driver reads at a step; each driver notes what it needs of it.
enum class Look {
    None,
    InfoOpened,
    InfoCentimetres,
    InfoCancelled,
    InfoOk,
    FeaturesOpened,
    ClearCallLog,
    FeaturesCancelled,
    FeaturesOk,
    AboutOpened,
    AboutIgnoresOthers,
    AboutOk,
    AboutEscaped,
    SetupOpened,
    SensitivityTyped,
    SensitivitySpun,
    SetupTexts,
    AreaBeforeSpin,
    AreaSpunDown,
    AreaSpunUp,
    AreaBeforeAspect,
    AreaAspect,
    FieldsCentimetres,
    BeepsBefore,
    BeepsAfter,
    SizeTyped,
    SetupCancelled,
    SetupOk,
};

struct WalkStep {
    unsigned sides;
    Step step;
    int control;
    int value;
    const char* text;
    Look look;
};

struct DialogWalk {
    int templateId;   // the dialog's template
    int menuCommand;  // the main window's command that opens it
    std::vector<WalkStep> steps;
};

extern const DialogWalk InformationWalk, FeaturesWalk, SetupWalk, AboutWalk;

// What the walker needs of a driver.
class DialogDriver {
public:
    virtual ~DialogDriver() = default;
    virtual Sides Side() const = 0;
    virtual bool Open(const DialogWalk& walk, bool again) = 0;  // false: the steps up to the next Open are skipped
    virtual void Press(int id) = 0;
    virtual void Command(WPARAM command) = 0;
    virtual void Notify(int id, WORD code) = 0;
    virtual void Select(int listId, int index) = 0;
    virtual void Type(int editId, const char* text) = 0;
    virtual int Count(int listId) = 0;
    virtual int Selection(int listId) = 0;
    virtual bool Checked(int id) = 0;
    virtual void Capture() = 0;
    virtual void Note(Look look) = 0;
    virtual void End(int id, bool bareCommand) = 0;
    virtual void Finish(const DialogWalk& walk) = 0;  // after the walk's last step
};

// Takes the walk's steps meant for the driver's side, in order.
void Walk(const DialogWalk& walk, DialogDriver& driver);

}  // namespace fault_test
