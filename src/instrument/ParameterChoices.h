#pragma once
// The choice lists of the parameter dialog's setting grids: which entries a row offers and which
// record value each entry stands for.
//
// Entries are compared after trimming spaces at both ends and without regard to the case of the
// letters A to Z, so " on " picks "On". Entry texts come from the message catalogue in the active
// language, except the literal ones ("Off", "On", "30", "L-H" ...), which read the same in every
// language. A record value that no entry stands for has no entry text: a grid shows it as its
// number (see ParameterEdit.h).
#include <optional>
#include <string>
#include <vector>

#include "text/Types.h"

namespace tz {

enum class ChoiceListId {
    OffOn,            // "Off|On": 0, 1
    Seconds30To60,    // "30|45|60": the number shown
    Seconds30To90,    // "30|45|60|90": the number shown
    Percent10To50,    // "10|20|30|40|50": the number shown
    Seconds90Or120,   // "90|120": the number shown
    ResetLatch,       // 8005 "Reset", 8006 "Latch": 0, 1
    LcBhMode,         // "Off|LC|BH|LC BH": 0 to 3
    IrRange,          // "AUTO|LOW ONLY": 0, 1
    LimitCheck,       // 8012 "Confirm to use", 8013 "Can't use", 8014 "None": 0 to 2
    CheckGas,         // 8085 "4GAS", 8086 "ALL": 0, 1
    Destination,      // 8016 "Japan", 8046 "Other": 0, 1
    OxygenAlarm,      // "L-H|L-LL|H-HH": 0 to 2
    DateFormat,       // 8073 "DD/MM/YYYY", 8074 "MM/DD/YYYY", 8075 "YYYY/MM/DD": 0 to 2
    Language,         // the instrument's nine display languages: 0 to 8 (see the .cpp for order)
};

// The entry texts in list order, in the active language.
std::vector<std::string> ChoiceEntries(ChoiceListId list);

// The entries joined with "|", as the grid's hidden choice-list column holds them.
std::string ChoiceListText(ChoiceListId list);

// The record values the entries stand for, in list order.
std::vector<Integer> ChoiceValues(ChoiceListId list);

// The value of the entry that `text` names (trimmed, case-insensitive); nullopt for a text that
// names no entry.
std::optional<Integer> ChoiceValue(ChoiceListId list, const std::string& text);

// The entry that stands for `value`; nullopt when none does.
std::optional<std::string> ChoiceText(ChoiceListId list, Integer value);

}  // namespace tz
