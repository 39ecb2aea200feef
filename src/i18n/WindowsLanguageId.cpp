#include "i18n/WindowsLanguageId.h"

namespace {

struct Entry
{
    QLocale::Language language;
    int id;
};

constexpr Entry Table[] = {
    {QLocale::Arabic, 0x01},    {QLocale::Bulgarian, 0x02},       {QLocale::Catalan, 0x03},
    {QLocale::Chinese, 0x04},   {QLocale::Czech, 0x05},           {QLocale::Danish, 0x06},
    {QLocale::German, 0x07},    {QLocale::Greek, 0x08},           {QLocale::English, 0x09},
    {QLocale::Spanish, 0x0A},   {QLocale::Finnish, 0x0B},         {QLocale::French, 0x0C},
    {QLocale::Hebrew, 0x0D},    {QLocale::Hungarian, 0x0E},       {QLocale::Icelandic, 0x0F},
    {QLocale::Italian, 0x10},   {QLocale::Japanese, 0x11},        {QLocale::Korean, 0x12},
    {QLocale::Dutch, 0x13},     {QLocale::NorwegianBokmal, 0x14}, {QLocale::NorwegianNynorsk, 0x14},
    {QLocale::Polish, 0x15},    {QLocale::Portuguese, 0x16},      {QLocale::Romanian, 0x18},
    {QLocale::Russian, 0x19},   {QLocale::Croatian, 0x1A},        {QLocale::Serbian, 0x1A},
    {QLocale::Slovak, 0x1B},    {QLocale::Swedish, 0x1D},         {QLocale::Turkish, 0x1F},
    {QLocale::Ukrainian, 0x22}, {QLocale::Slovenian, 0x24},       {QLocale::Estonian, 0x25},
    {QLocale::Latvian, 0x26},   {QLocale::Lithuanian, 0x27},
};

} // namespace

int windowsPrimaryLanguageId(QLocale::Language language)
{
    for (const Entry& e : Table) {
        if (e.language == language) {
            return e.id;
        }
    }
    return 0;
}
