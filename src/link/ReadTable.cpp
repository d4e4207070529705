#include "link/ReadTable.h"

#include <cstdio>
#include <utility>

namespace tz {

namespace {

// The fixed commands by table index; the indexes left out stay empty.
constexpr std::pair<int, const char*> kFixedReads[] = {
    {0, "SZ,R,"},     {1, "S1,R,"},     {3, "IN,R,"},  {4, "HN,R,"},  {5, "XS,R,****"},
    {6, "XZ,R,****"}, {7, "HC,R,"},     {8, "A1,R,"},  {9, "A2,R,"},  {10, "AS,R,"},
    {11, "AW,R,"},    {12, "SA,R,"},    {13, "AP,R,"}, {14, "G1,R,"}, {17, "SC,R,"},
    {18, "XP,R,"},    {19, "SD,R,"},    {20, "SM,R,"}, {21, "XW,R,"}, {22, "XT,R,"},
    {23, "DN,R,"},    {24, "VP,R,"},    {25, "VS,R,"}, {26, "HA,R,"}, {28, "AT,R,"},
    {30, "SO,R,"},    {31, "GJ,R,"},    {32, "L6,R,"}, {33, "SJ,R,"}, {34, "SG,R,"},
    {35, "MP,R,"},    {36, "PG,R,"},    {37, "UJ,R,"}, {38, "BJ,R,"}, {39, "BK,R,"},
    {40, "BL,R,"},    {41, "BO,R,"},    {42, "BU,R,"}, {43, "BV,R,"}, {46, "XB,R,"},
    {49, "PS,R,"},    {50, "BS,R,"},    {51, "LV,R,"}, {52, "AF,R,"}, {53, "XL,R,"},
    {54, "PO,R,"},    {55, "XI,R,"},    {56, "XA,R,"}, {57, "EB,R,"}, {58, "BW,R,"},
    {59, "SW,R,"},    {60, "CP,R,"},    {61, "WB,R,"}, {62, "UL,R,"}, {63, "UZ,R,"},
    {64, "US,R,"},    {65, "FF,R,"},    {66, "A3,R,"}, {67, "A4,R,"}, {68, "MO,R,"},
    {69, "KL,R,"},    {70, "XD,R,"},    {71, "JZ,R,"}, {72, "AN,R,"}, {73, "GK,R,"},
    {74, "X7,R,"},    {75, "UW,R,"},    {76, "HF,R,"}, {77, "U9,R,"}, {78, "UG,R,"},
    {79, "EJ,R,"},    {80, "UO,R,"},
};

std::string ListRead(const char* code, int index) {
    char body[16];
    std::snprintf(body, sizeof body, "%s,R,%04X", code, index);
    return body;
}

std::array<std::string, ReadTableSize> BuildReadTable() {
    std::array<std::string, ReadTableSize> table;
    for (const auto& [index, body] : kFixedReads) table[static_cast<std::size_t>(index)] = body;
    for (int n = 0; n < 128; ++n) table[static_cast<std::size_t>(ReadTableStations + n)] = ListRead("XS", n);
    for (int n = 0; n <= 128; ++n) table[static_cast<std::size_t>(ReadTableUsers + n)] = ListRead("XZ", n);
    return table;
}

}  // namespace

const std::array<std::string, ReadTableSize>& ReadTable() {
    static const std::array<std::string, ReadTableSize> table = BuildReadTable();
    return table;
}

}  // namespace tz
