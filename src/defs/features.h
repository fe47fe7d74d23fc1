/* Resource and control identifiers shared by the resource scripts and the code.
   Plain #defines only: windres reads this file too. */
#ifndef TABLET_FEATURES_H
#define TABLET_FEATURES_H

/* Menu 1 and its commands. */
#define IDM_TABLET        1
#define IDM_INFORMATION   101 /* 101..103 consecutive, in row order */
#define IDM_FEATURES      102
#define IDM_CUSTOMIZATION 103
#define IDM_EXIT          104
#define IDM_ABOUT         204

/* Icons. 1 is the class icon; 2..4 the icon buttons'. */
#define ICON_APP           1
#define ICON_INFORMATION   2
#define ICON_FEATURES      3
#define ICON_CUSTOMIZATION 4
/* The Information dialog's logo. Its template names it QuarnLogo, but a named
   icon sorts before every numbered one and Explorer, the Start menu and the
   installed-programs list take the first icon group as the program's icon:
   the logo is numbered and the dialog puts it in itself. */
#define ICON_LOGO 5

/* Dialog templates. */
#define IDD_ABOUT       1
#define IDD_INFORMATION 2
#define IDD_FEATURES    3
#define IDD_SETUP       4

/* Icon buttons of the main window (row order: Information, Features, Customization).
   51..53 consecutive: each activates the menu command of its row. */
#define IDC_ICON_INFORMATION   51
#define IDC_ICON_FEATURES      52
#define IDC_ICON_CUSTOMIZATION 53

/* String table. */
#define IDS_CAPTION              1
#define IDS_INFORMATION          2
#define IDS_FEATURES             3
#define IDS_CUSTOMIZATION        4
#define IDS_ASK_LOWER_LEFT       10
#define IDS_ASK_UPPER_RIGHT      11
#define IDS_AREA_DEFINED         12
#define IDS_OUT_OF_RANGE         13
#define IDS_NO_RESOLUTION        14 /* why Setup's sensitivity is disabled */
#define IDS_DRIVER_NOT_FOUND     40
#define IDS_NOT_ENOUGH_MEMORY    41
#define IDS_TABLET_NOT_ANSWERING 42
#define IDS_RESTART_PROMPT       43 /* the driver's settings need a restart: log off now? */
#define IDS_RESTART_TITLE        44
#define IDS_TABLET_CHANGED       45 /* a write found another tablet than the dialog read */
#define IDS_SETUP_UNREAD         46 /* Setup's status line when the tablet did not answer in full */
#define IDS_WARNING              50
#define IDS_WILL_DISABLE         51
#define IDS_MOUSE_COMPLETELY     52
#define IDS_BOTH_BUTTONS         53
#define IDS_LEFT_BUTTON          54
#define IDS_RIGHT_BUTTON         55
#define IDS_ACTION_FIRST         60 /* 60..69: action codes 0..9, consecutive */
#define IDS_ACTION_LAST          69
#define IDS_ACTION_LAST_PEN      66 /* last action offered with the pen option */
#define IDS_ACTION_NONE          60 /* the action list's entries, one per action code */
#define IDS_ACTION_LEFT_CLICK    61
#define IDS_ACTION_LEFT_DOUBLE   62
#define IDS_ACTION_LEFT_DRAG     63
#define IDS_ACTION_RIGHT_CLICK   64
#define IDS_ACTION_RIGHT_DOUBLE  65
#define IDS_ACTION_RIGHT_DRAG    66
#define IDS_ACTION_MIDDLE_CLICK  67
#define IDS_ACTION_MIDDLE_DOUBLE 68
#define IDS_ACTION_MIDDLE_DRAG   69
#define IDS_INCHES               70 /* 70, 71: list position = MeasureUnit */
#define IDS_CENTIMETERS          71
#define IDS_UNKNOWN              80
#define IDS_EMPTY_SELECTION      100

/* About dialog (template 1). Mnemonics: none. */
#define IDC_ABOUT_ICON   1 /* the static icon shares id 1 with OK, as in the template */
#define IDC_ABOUT_DRIVER 106

/* Tablet Information dialog (template 2). Mnemonics: U. */
#define IDC_INFO_ID     51
#define IDC_INFO_FORMAT 52
#define IDC_INFO_CURSOR 53
#define IDC_INFO_UNITS  54
#define IDC_INFO_WIDTH  55 /* 55..58 consecutive: width, height, x and y resolution */
#define IDC_INFO_HEIGHT 56
#define IDC_INFO_XRES   57
#define IDC_INFO_YRES   58

/* Features dialog (template 3). Mnemonics: C. */
#define IDC_FEAT_CURSORS 101
#define IDC_FEAT_LABEL   103

/* Tablet Setup dialog (template 4).
   Mnemonics: R A S D O P U W H L T I B. */
#define IDC_SETUP_REVERT    10
#define IDC_MODE_RELATIVE   20 /* 20, 21: mode = id - 20 */
#define IDC_MODE_ABSOLUTE   21
#define IDC_SENS_LABEL      22 /* 22..24: enabled in relative mode */
#define IDC_SENS_EDIT       23
#define IDC_SENS_SPIN       24
#define IDC_DEFAULT_BUTTONS 25
#define IDC_BUTTON_LIST     26
#define IDC_ACTION_LIST     27
#define IDC_WHOLE_TABLET    28
#define IDC_PRESERVE_ASPECT 29
#define IDC_UNITS_LABEL     30
#define IDC_UNITS_LIST      31
/* 32..49: six fields, each label, edit, spin in that order (edit = label + 1, spin = edit + 1). */
#define IDC_AREA_FIELD_STRIDE 3 /* ids from one field's control to the next field's */
#define IDC_WIDTH_LABEL       32
#define IDC_WIDTH_EDIT        33
#define IDC_WIDTH_SPIN        34
#define IDC_HEIGHT_LABEL      35
#define IDC_HEIGHT_EDIT       36
#define IDC_HEIGHT_SPIN       37
#define IDC_LEFT_LABEL        38
#define IDC_LEFT_EDIT         39
#define IDC_LEFT_SPIN         40
#define IDC_TOP_LABEL         41
#define IDC_TOP_EDIT          42
#define IDC_TOP_SPIN          43
#define IDC_RIGHT_LABEL       44
#define IDC_RIGHT_EDIT        45
#define IDC_RIGHT_SPIN        46
#define IDC_BOTTOM_LABEL      47
#define IDC_BOTTOM_EDIT       48
#define IDC_BOTTOM_SPIN       49
#define IDC_AREA_CONTROL      50
#define SAS_TEMPLATE_BITS     0x0005 /* the area control's own style bits: in its template, never read */
#define IDC_STATUS_LINE       51
#define IDC_SETUP_TEST        52

#define IDC_STATIC_LABEL 65535 /* unnamed labels */

#endif
