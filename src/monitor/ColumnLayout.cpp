#include "ColumnLayout.h"

namespace {

constexpr std::array<int, ColumnKindCount> kDefaultWidths{65, 65, 100, 200, 55, 100, 100, 100};
constexpr std::array<int, ColumnKindCount> kHeaderIds{21, 23, 24, 25, 27, 30, 31, 32};

bool validKind(int kind)
{
    return kind >= 0 && kind < ColumnKindCount;
}

} // namespace

int ColumnLayout::defaultWidth(int kind)
{
    return validKind(kind) ? kDefaultWidths[kind] : 0;
}

bool ColumnLayout::defaultVisible(int kind)
{
    return kind != CK_MoneySaved;
}

int ColumnLayout::headerTextId(int kind)
{
    return validKind(kind) ? kHeaderIds[kind] : 0;
}

bool ColumnLayout::isPermutation() const
{
    std::array<bool, ColumnKindCount> seen{};
    for (int kind : ColTypesAr) {
        if (!validKind(kind) || seen[kind])
            return false;
        seen[kind] = true;
    }
    return true;
}

void ColumnLayout::normalize()
{
    if (!isPermutation())
        ColTypesAr = ColumnLayout().ColTypesAr;
    if (sortPosition < 0 || sortPosition >= ColumnKindCount)
        sortPosition = 2;
}
