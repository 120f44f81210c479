// The size arithmetic of GDI fonts, apart from FreeType: how a logical font's
// height and width turn into em sizes, the cell, the baseline and whole-pixel
// advances, from a face's own tables.
#pragma once

namespace platform::gdi {

// What the size rules need from a face's tables (font units).
struct FaceTables {
    int unitsPerEm;       // head
    int winAscent;        // OS/2 usWinAscent
    int winDescent;       // OS/2 usWinDescent
    int avgCharWidth;     // OS/2 xAvgCharWidth
    int maxAdvance;       // hhea advanceWidthMax
    int lineGapExtra;     // hhea ascender - descender + lineGap beyond the win cell, at least 0
    int underlinePosition;   // post, negative below the baseline
    int underlineThickness;  // post
    int strikeoutPosition;   // OS/2 yStrikeoutPosition, above the baseline
    int strikeoutSize;       // OS/2 yStrikeoutSize
};

// A face at one logical height and width, in pixels.
struct SizeMetrics {
    double emX;       // horizontal em size: scales advances and outlines
    double emY;       // vertical em size
    int cell;         // ascent + descent: the reported text height
    int ascent;       // baseline below the cell's top
    int descent;
    int internalLeading;  // cell minus the em height
    int externalLeading;
    int aveCharWidth;
    int maxCharWidth;
    int underlineOffset;     // underline top below the baseline
    int underlineThickness;  // at least 1
    int strikeoutOffset;     // strike-out top above the baseline
    int strikeoutThickness;  // at least 1
};

// The default cell height for a logical height of 0.
constexpr int kDefaultCellHeight = 16;
// The largest logical height or width taken as given; larger ones count as this.
constexpr int kMaxLogicalSize = 16384;

// Logical height > 0 is the cell height, < 0 the em height, 0 the default cell. Logical width
// > 0 is the average character width (scaling the face horizontally), 0 keeps the face's
// proportions; a negative width counts as its magnitude. Tables with zero metrics are treated as
// a square em with the cell equal to it, so nothing divides by zero.
SizeMetrics ComputeSizeMetrics(const FaceTables& tables, int logicalHeight, int logicalWidth);

// A glyph's advance in whole pixels: its hmtx advance scaled by the horizontal em, rounded.
int ScaleAdvance(int advanceUnits, const FaceTables& tables, const SizeMetrics& size);

}  // namespace platform::gdi
