#pragma once

#include <array>

// What a column of the clients grid shows; the codes are stored in config.ini.
enum ColumnKind : int
{
    CK_Write = 0,
    CK_Config = 1,
    CK_IP = 2,
    CK_Comp = 3,
    CK_Ver = 4,
    CK_TimeSaved = 5,
    CK_MoneySaved = 6,
    CK_Status = 7,
};

inline constexpr int ColumnKindCount = 8;
inline constexpr int RightsColumnWidth = 65;
inline constexpr int MinColumnWidth = 70;

// The grid's column layout as the settings file keeps it: the kind at each
// position, and visibility and last width per kind.
struct ColumnLayout
{
    std::array<int, ColumnKindCount> ColTypesAr{CK_Write, CK_Config, CK_Status,    CK_IP,
                                                CK_Comp,  CK_Ver,    CK_TimeSaved, CK_MoneySaved};
    std::array<bool, ColumnKindCount> ColVisAr{true, true, true, true, true, true, false, true};
    std::array<int, ColumnKindCount> ColSizesAr{65, 65, 100, 200, 55, 100, 100, 100};
    int sortPosition = 2;
    bool sortAscending = true;

    static int defaultWidth(int kind);
    static bool defaultVisible(int kind);
    static int headerTextId(int kind);
    static bool isRights(int kind) { return kind == CK_Write || kind == CK_Config; }
    static bool isStatistics(int kind) { return kind == CK_TimeSaved || kind == CK_MoneySaved; }

    // Every kind exactly once; otherwise rows could not find their records.
    bool isPermutation() const;
    // A layout whose order is not a permutation falls back to the default
    // order; widths, visibility and sort are kept.
    void normalize();
    bool statisticsVisible() const { return ColVisAr[CK_TimeSaved] || ColVisAr[CK_MoneySaved]; }
};
