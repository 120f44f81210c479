#include "platform/gdi/font_metrics.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platform::gdi {

namespace {

int RoundToInt(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

SizeMetrics ComputeSizeMetrics(const FaceTables& faceTables, int logicalHeightIn, int logicalWidthIn) {
    // Sizes beyond any screen are held to kMaxLogicalSize, so no arithmetic below can overflow.
    const int logicalHeight = std::clamp(logicalHeightIn, -kMaxLogicalSize, kMaxLogicalSize);
    const int logicalWidth = std::clamp(logicalWidthIn, -kMaxLogicalSize, kMaxLogicalSize);
    FaceTables t = faceTables;
    if (t.unitsPerEm <= 0) {
        t.unitsPerEm = 2048;
    }
    // A face without a usable win cell: let the em be the cell.
    if (t.winAscent + t.winDescent <= 0) {
        t.winAscent = t.unitsPerEm * 4 / 5;
        t.winDescent = t.unitsPerEm - t.winAscent;
    }
    const double cellUnits = t.winAscent + t.winDescent;

    SizeMetrics m{};
    const int height = logicalHeight != 0 ? logicalHeight : kDefaultCellHeight;
    if (height > 0) {
        // The cell is exactly what was asked for; the em is what fits in it.
        m.cell = height;
        m.emY = height * static_cast<double>(t.unitsPerEm) / cellUnits;
    } else {
        m.emY = -static_cast<double>(height);
        m.cell = RoundToInt(m.emY * cellUnits / t.unitsPerEm);
    }
    // Descent takes the remainder so that ascent + descent is always the cell.
    m.ascent = RoundToInt(t.winAscent * m.emY / t.unitsPerEm);
    if (m.ascent > m.cell) {
        m.ascent = m.cell;
    }
    m.descent = m.cell - m.ascent;
    m.internalLeading = m.cell - RoundToInt(m.emY);
    if (m.internalLeading < 0) {
        m.internalLeading = 0;
    }
    m.externalLeading = RoundToInt(t.lineGapExtra * m.emY / t.unitsPerEm);

    const int width = std::abs(logicalWidth);
    if (width > 0 && t.avgCharWidth > 0) {
        // The average character width becomes exactly `width` pixels.
        m.emX = width * static_cast<double>(t.unitsPerEm) / t.avgCharWidth;
    } else {
        m.emX = m.emY;
    }
    m.aveCharWidth = RoundToInt(t.avgCharWidth * m.emX / t.unitsPerEm);
    m.maxCharWidth = RoundToInt(t.maxAdvance * m.emX / t.unitsPerEm);

    m.underlineOffset = RoundToInt(-t.underlinePosition * m.emY / t.unitsPerEm);
    m.underlineThickness = RoundToInt(t.underlineThickness * m.emY / t.unitsPerEm);
    if (m.underlineThickness < 1) {
        m.underlineThickness = 1;
    }
    if (m.underlineOffset < 1) {
        m.underlineOffset = 1;
    }
    // Keep the underline inside the cell, where small fonts have no room below it.
    if (m.underlineOffset + m.underlineThickness > m.descent) {
        m.underlineOffset = m.descent - m.underlineThickness;
        if (m.underlineOffset < 0) {
            m.underlineOffset = 0;
        }
    }
    m.strikeoutThickness = RoundToInt(t.strikeoutSize * m.emY / t.unitsPerEm);
    if (m.strikeoutThickness < 1) {
        m.strikeoutThickness = 1;
    }
    m.strikeoutOffset = RoundToInt(t.strikeoutPosition * m.emY / t.unitsPerEm);
    if (m.strikeoutOffset > m.ascent) {
        m.strikeoutOffset = m.ascent;
    }
    return m;
}

int ScaleAdvance(int advanceUnits, const FaceTables& tables, const SizeMetrics& size) {
    const int unitsPerEm = tables.unitsPerEm > 0 ? tables.unitsPerEm : 2048;
    return RoundToInt(advanceUnits * size.emX / unitsPerEm);
}

}  // namespace platform::gdi
