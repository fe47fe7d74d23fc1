// Tracking-area arithmetic: the six fields of an area on the tablet and the
// edits of one field. Window-free; all arithmetic is unsigned 32-bit as the
// fields are.
#pragma once

#include <cstdint>

#include "core/settings.h"
#include "defs/vellix_records.h"

// Figures that every edit needs: tablet extents and the display shape.
struct AreaLimits {
    uint32_t W, H;          // tablet extents in counts
    double displayAspect;   // display height / width in millimetres
    uint32_t maxAreaWidth;  // largest display-shaped area that fits the tablet
    uint32_t maxAreaHeight;
    bool aspectUsable;  // false when W, H or the display size is 0
    uint32_t areaStep =
        0;  // every edit leaves the area at least this long on each axis (MinimumAreaExtent); 0: no least
};

// Display and tablet figures worked out when the dialog opens.
struct DisplayShape {
    double tabletAspect;  // tablet height / width in physical units
    double controlShape;  // pixel aspect times tablet aspect
};

// Fills limits (W, H given in it already) and shape from the axes and the
// display's VERTSIZE, HORZSIZE, ASPECTY, ASPECTX.
void ComputeDisplayFigures(const AxisInfo& x, const AxisInfo& y, int vertSize, int horzSize, int aspectY, int aspectX,
                           AreaLimits& limits, DisplayShape& shape);

struct ControlBox {
    int x, y, width, height;  // in the dialog's client coordinates
};
// The area control reshaped to the tablet's proportions.
ControlBox ReshapeAreaControl(ControlBox box, const DisplayShape& shape);

// The six fields an area is edited through: its size and its four margins
// (the right and bottom margins measured from the tablet's far edges).
enum AreaField : int {
    AreaFieldWidth,
    AreaFieldHeight,
    AreaFieldLeft,
    AreaFieldTop,
    AreaFieldRight,
    AreaFieldBottom,
    AreaFieldCount,  // not a field: the number of fields
};

// The field's value in counts; 0 for anything that is not a field.
uint32_t AreaFieldValue(AreaField field, const AreaBox& area, uint32_t W, uint32_t H);

// The MeasureKind of a field (0 horizontal, 1 vertical).
unsigned AreaFieldKind(AreaField field);

// False for a width or height below the least extent: bad input that the
// dialog refuses with a beep, and a spin does not go there.
bool AreaFieldValueAllowed(AreaField field, uint32_t value, const AreaLimits& limits);

uint32_t Recentre(uint32_t position, uint32_t oldSize, uint32_t newSize, uint32_t limit);

void SetAreaField(AreaField field, uint32_t value, bool preserve, AreaBox& area, const AreaLimits& limits);
void FitAspect(AreaBox& area, const AreaLimits& limits);
void AcceptControlArea(bool preserve, AreaBox reported, AreaBox& area, const AreaLimits& limits);

// One hundredth of the x axis unit in counts (at least 1).
uint32_t AreaStep(uint32_t resolution);

// The spun value: current rounded to the step, plus or minus a step.
// False when spinning down from 0 (nothing changes).
bool SpinAreaValue(uint32_t current, uint32_t step, bool up, uint32_t& value);
