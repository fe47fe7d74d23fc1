// The steps of every dialog and their walker; see dialog_walk.h.
#include "support/dialog_walk.h"

#include <string>

#include "controls/controls.h"
#include "defs/features.h"

namespace fault_test {

const int AreaFieldIds[6] = {IDC_WIDTH_EDIT, IDC_HEIGHT_EDIT, IDC_LEFT_EDIT,
                             IDC_TOP_EDIT,   IDC_RIGHT_EDIT,  IDC_BOTTOM_EDIT};

namespace {

constexpr unsigned In = InProcess, Out = OtherProcess, Both = BothSides;

WalkStep Open(unsigned sides, bool again = false) { return {sides, Step::Open, 0, again ? 1 : 0, "", Look::None}; }
WalkStep Press(unsigned sides, int id) { return {sides, Step::Press, id, 0, "", Look::None}; }
WalkStep Select(unsigned sides, int id, int index) { return {sides, Step::Select, id, index, "", Look::None}; }
WalkStep Type(unsigned sides, int id, const char* texts) { return {sides, Step::Type, id, 0, texts, Look::None}; }
WalkStep Spin(unsigned sides, int id, const char* steps) { return {sides, Step::Spin, id, 0, steps, Look::None}; }
WalkStep Note(unsigned sides, Look look) { return {sides, Step::Look, 0, 0, "", look}; }
WalkStep End(unsigned sides, int id, bool bare = false) { return {sides, Step::End, id, bare ? 1 : 0, "", Look::None}; }
WalkStep Do(unsigned sides, Step step, int id = 0, int value = 0) { return {sides, step, id, value, "", Look::None}; }

std::vector<int> Controls(int control) {
    switch (control) {
    case AllAreaFields: return std::vector<int>(std::begin(AreaFieldIds), std::end(AreaFieldIds));
    case AreaCorners: return {IDC_LEFT_EDIT, IDC_TOP_EDIT, IDC_RIGHT_EDIT, IDC_BOTTOM_EDIT};
    case AllAreaSpins: {
        std::vector<int> spins;
        for (int spin = IDC_WIDTH_SPIN; spin <= IDC_BOTTOM_SPIN; spin += 3) spins.push_back(spin);
        return spins;
    }
    default: return {control};
    }
}

std::vector<std::string> Split(const std::string& texts) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar; (bar = texts.find('|', start)) != std::string::npos; start = bar + 1)
        parts.push_back(texts.substr(start, bar - start));
    parts.push_back(texts.substr(start));
    return parts;
}

void EveryAction(DialogDriver& driver) {
    int buttons = driver.Count(IDC_BUTTON_LIST);
    int actions = driver.Count(IDC_ACTION_LIST);
    for (int b = 0; b < buttons; ++b) {
        driver.Select(IDC_BUTTON_LIST, b);
        int action = driver.Selection(IDC_ACTION_LIST);
        for (int a = 0; a < actions; ++a) driver.Select(IDC_ACTION_LIST, a);
        if (action >= 0) driver.Select(IDC_ACTION_LIST, action);
    }
    if (buttons > 0) driver.Select(IDC_BUTTON_LIST, 0);
}

void Take(const WalkStep& s, DialogDriver& driver) {
    switch (s.step) {
    case Step::Open: break;  // the walker's own
    case Step::Press: driver.Press(s.control); break;
    case Step::Command: driver.Command(static_cast<WPARAM>(s.value)); break;
    case Step::Select:
        if (s.value >= 0) {
            driver.Select(s.control, s.value);
        } else if (int count = driver.Count(s.control); count > 0) {
            driver.Select(s.control, count - 1);
        }
        break;
    case Step::SelectEach:
        for (int i = 0, count = driver.Count(s.control); i < count; ++i) driver.Select(s.control, i);
        break;
    case Step::Type:
        for (int id : Controls(s.control))
            for (const std::string& text : Split(s.text)) driver.Type(id, text.c_str());
        break;
    case Step::Spin:
        for (int id : Controls(s.control))
            for (const char* c = s.text; *c; ++c) driver.Notify(id, *c == '+' ? TWN_UP : TWN_DOWN);
        break;
    case Step::WholeOff:
        if (driver.Checked(IDC_WHOLE_TABLET)) driver.Press(IDC_WHOLE_TABLET);
        break;
    case Step::EveryAction: EveryAction(driver); break;
    case Step::Capture: driver.Capture(); break;
    case Step::Look: driver.Note(s.look); break;
    case Step::End: driver.End(s.control, s.value != 0); break;
    }
}

}  // namespace

void Walk(const DialogWalk& walk, DialogDriver& driver) {
    bool open = false;
    for (const WalkStep& s : walk.steps) {
        if (!(s.sides & driver.Side())) continue;
        if (s.step == Step::Open)
            open = driver.Open(walk, s.value != 0);
        else if (open)
            Take(s, driver);
    }
    driver.Finish(walk);
}

// Information: the texts in inches and centimetres; Cancel, then OK. The
// other process puts inches back before Cancel and presses OK on inches.
const DialogWalk InformationWalk = {IDD_INFORMATION,
                                    IDM_INFORMATION,
                                    {
                                        Open(Both),
                                        Note(Both, Look::InfoOpened),
                                        Select(Both, IDC_INFO_UNITS, 1),
                                        Note(Both, Look::InfoCentimetres),
                                        Select(Out, IDC_INFO_UNITS, 0),
                                        End(Both, IDCANCEL),
                                        Note(In, Look::InfoCancelled),
                                        Open(Both, true),
                                        Select(In, IDC_INFO_UNITS, 1),
                                        End(Both, IDOK),
                                        Note(In, Look::InfoOk),
                                    }};

// Features: every entry chosen, Cancel; the last chosen and OK. The other
// process keeps the pen the cursor in use.
const DialogWalk FeaturesWalk = {IDD_FEATURES,
                                 IDM_FEATURES,
                                 {
                                     Open(Both),
                                     Note(Both, Look::FeaturesOpened),
                                     Do(In, Step::SelectEach, IDC_FEAT_CURSORS),
                                     Select(Out, IDC_FEAT_CURSORS, 1),
                                     Note(In, Look::ClearCallLog),
                                     End(Both, IDCANCEL),
                                     Note(In, Look::FeaturesCancelled),
                                     Open(Both, true),
                                     Select(In, IDC_FEAT_CURSORS, -1),
                                     Select(Out, IDC_FEAT_CURSORS, 0),
                                     Note(In, Look::ClearCallLog),
                                     End(Both, IDOK),
                                     Note(In, Look::FeaturesOk),
                                 }};

// About: a notification from a control with OK's id does not close it; OK
// does, and Escape's IDCANCEL.
const DialogWalk AboutWalk = {IDD_ABOUT,
                              IDM_ABOUT,
                              {
                                  Open(Both),
                                  Note(Both, Look::AboutOpened),
                                  Do(In, Step::Command, 0, MAKEWPARAM(IDOK, 1)),
                                  Note(In, Look::AboutIgnoresOthers),
                                  End(Both, IDOK, true),
                                  Note(In, Look::AboutOk),
                                  Open(Both, true),
                                  End(Both, IDCANCEL, true),
                                  Note(In, Look::AboutEscaped),
                              }};

// Tablet Setup: tracking mode, sensitivity typed (valid, zero, too large,
// not a number, empty, negative) and spun, button assignments, the area with
// Whole Tablet off so that every part takes part, the area control's
// capture, Test and Revert; Cancel, then OK.
const DialogWalk SetupWalk = {IDD_SETUP,
                              IDM_CUSTOMIZATION,
                              {
                                  Open(Both),
                                  Note(In, Look::SetupOpened),
                                  Press(Both, IDC_MODE_ABSOLUTE),
                                  Press(Both, IDC_MODE_RELATIVE),
                                  Type(Both, IDC_SENS_EDIT, "75%"),
                                  Note(In, Look::SensitivityTyped),
                                  Type(In, IDC_SENS_EDIT, "0|150|7x||-5"),
                                  Spin(In, IDC_SENS_SPIN, "++--"),
                                  Spin(Out, IDC_SENS_SPIN, "+-"),
                                  Note(Out, Look::SensitivitySpun),
                                  Note(In, Look::SetupTexts),
                                  Press(Both, IDC_DEFAULT_BUTTONS),
                                  Press(Both, IDC_DEFAULT_BUTTONS),
                                  // every action of every button, keeping the one each had
                                  Do(In, Step::EveryAction),
                                  // an action that keeps the pen's clicks
                                  Select(Out, IDC_BUTTON_LIST, 1),
                                  Select(Out, IDC_ACTION_LIST, 4),
                                  Select(Out, IDC_BUTTON_LIST, 0),
                                  Do(Both, Step::WholeOff),
                                  Note(In, Look::AreaBeforeSpin),
                                  Spin(In, IDC_WIDTH_SPIN, "-"),
                                  Note(In, Look::AreaSpunDown),
                                  Spin(In, IDC_WIDTH_SPIN, "+"),
                                  Note(In, Look::AreaSpunUp),
                                  Note(In, Look::AreaBeforeAspect),
                                  Type(Out, IDC_WIDTH_EDIT, "10"),
                                  Type(Out, IDC_HEIGHT_EDIT, "7"),
                                  Note(Out, Look::SizeTyped),
                                  Type(Out, AreaCorners, "1"),
                                  Spin(Out, AllAreaSpins, "+-"),
                                  Press(Both, IDC_PRESERVE_ASPECT),
                                  Note(In, Look::AreaAspect),
                                  Press(Both, IDC_PRESERVE_ASPECT),
                                  Select(Both, IDC_UNITS_LIST, 1),
                                  Note(In, Look::FieldsCentimetres),
                                  Select(Both, IDC_UNITS_LIST, 0),
                                  Note(In, Look::SetupTexts),
                                  Note(In, Look::BeepsBefore),
                                  Type(In, IDC_WIDTH_EDIT, "5"),
                                  Note(In, Look::BeepsAfter),
                                  Type(In, AllAreaFields, "1|abc|99999|1e-1|"),
                                  Spin(In, AllAreaSpins, "+--"),
                                  Note(In, Look::SetupTexts),
                                  Press(In, IDC_WHOLE_TABLET),
                                  Press(In, IDC_WHOLE_TABLET),
                                  Note(In, Look::SetupTexts),
                                  Do(Both, Step::Capture),
                                  Press(Both, IDC_SETUP_TEST),  // takes the focus: the capture ends
                                  Press(Both, IDC_SETUP_REVERT),
                                  Note(In, Look::SetupTexts),
                                  Press(Out, IDC_WHOLE_TABLET),
                                  Press(Out, IDC_WHOLE_TABLET),
                                  End(Both, IDCANCEL),
                                  Note(In, Look::SetupCancelled),
                                  Open(Both, true),
                                  End(Both, IDOK),
                                  Note(In, Look::SetupOk),
                              }};

}  // namespace fault_test
