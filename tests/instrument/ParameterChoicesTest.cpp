#include "instrument/ParameterChoices.h"

#include <gtest/gtest.h>

#include "instrument/ParameterTestSupport.h"

namespace tz {
namespace {

using namespace testing;

constexpr ChoiceListId kAllLists[] = {
    ChoiceListId::OffOn,      ChoiceListId::Seconds30To60, ChoiceListId::Seconds30To90,
    ChoiceListId::Percent10To50, ChoiceListId::Seconds90Or120, ChoiceListId::ResetLatch,
    ChoiceListId::LcBhMode,   ChoiceListId::IrRange,       ChoiceListId::LimitCheck,
    ChoiceListId::CheckGas,   ChoiceListId::Destination,   ChoiceListId::OxygenAlarm,
    ChoiceListId::DateFormat, ChoiceListId::Language};

TEST(ParameterChoices, ListTexts_OfferTheEntriesInTheirOrder) {
    LanguageScope english(Language::English);
    const struct {
        ChoiceListId list;
        const char* text;
    } cases[] = {
        {ChoiceListId::OffOn, "Off|On"},
        {ChoiceListId::Seconds30To60, "30|45|60"},
        {ChoiceListId::Seconds30To90, "30|45|60|90"},
        {ChoiceListId::Percent10To50, "10|20|30|40|50"},
        {ChoiceListId::Seconds90Or120, "90|120"},
        {ChoiceListId::ResetLatch, "Reset|Latch"},
        {ChoiceListId::LcBhMode, "Off|LC|BH|LC BH"},
        {ChoiceListId::IrRange, "AUTO|LOW ONLY"},
        {ChoiceListId::LimitCheck, "Confirm to use|Can't use|None"},
        {ChoiceListId::CheckGas, "4GAS|ALL"},
        {ChoiceListId::Destination, "Japan|Other"},
        {ChoiceListId::OxygenAlarm, "L-H|L-LL|H-HH"},
        {ChoiceListId::DateFormat, "DD/MM/YYYY|MM/DD/YYYY|YYYY/MM/DD"},
        {ChoiceListId::Language,
         "ENGLISH|JAPANESE|ITALIAN|SPANISH|GERMAN|FRENCH|PORTUGUESE|RUSSIAN|KOREAN"},
    };
    for (const auto& c : cases) EXPECT_EQ(ChoiceListText(c.list), c.text);
}

TEST(ParameterChoices, EntryTexts_StoreTheirValue_TrimmedAndWithoutRegardToCase) {
    LanguageScope english(Language::English);
    const struct {
        ChoiceListId list;
        const char* text;
        Integer value;
    } cases[] = {
        {ChoiceListId::OffOn, "Off", 0},         {ChoiceListId::OffOn, " on ", 1},
        {ChoiceListId::OffOn, "ON", 1},          {ChoiceListId::Seconds30To90, "90", 90},
        {ChoiceListId::Seconds90Or120, "120", 120}, {ChoiceListId::Percent10To50, "10", 10},
        {ChoiceListId::ResetLatch, "latch", 1},  {ChoiceListId::LcBhMode, "LC BH", 3},
        {ChoiceListId::LcBhMode, "lc bh", 3},    {ChoiceListId::LcBhMode, "BH", 2},
        {ChoiceListId::IrRange, "low only", 1},  {ChoiceListId::LimitCheck, "Can't use", 1},
        {ChoiceListId::LimitCheck, "None", 2},   {ChoiceListId::CheckGas, "all", 1},
        {ChoiceListId::Destination, "Japan", 0}, {ChoiceListId::Destination, "Other", 1},
        {ChoiceListId::OxygenAlarm, "H-HH", 2},  {ChoiceListId::DateFormat, "YYYY/MM/DD", 2},
        {ChoiceListId::Language, "ITALIAN", 2},  {ChoiceListId::Language, "RUSSIAN", 7},
        {ChoiceListId::Language, "korean", 8},
    };
    for (const auto& c : cases) {
        const auto value = ChoiceValue(c.list, c.text);
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_EQ(*value, c.value) << c.text;
    }
}

TEST(ParameterChoices, TextsThatNameNoEntry_StoreNothing) {
    LanguageScope english(Language::English);
    const struct {
        ChoiceListId list;
        const char* text;
    } cases[] = {
        {ChoiceListId::OffOn, ""},           {ChoiceListId::OffOn, "Of"},
        {ChoiceListId::OffOn, "1"},          {ChoiceListId::Seconds30To90, "15"},
        {ChoiceListId::LcBhMode, "LCBH"},    {ChoiceListId::LcBhMode, "LC  BH"},
        {ChoiceListId::Language, "ENGLISH|"},
    };
    for (const auto& c : cases) EXPECT_FALSE(ChoiceValue(c.list, c.text).has_value()) << c.text;
}

TEST(ParameterChoices, EveryEntry_RoundTripsThroughItsValue_AndUnlistedValuesHaveNoText) {
    LanguageScope english(Language::English);
    for (const ChoiceListId list : kAllLists) {
        const auto values = ChoiceValues(list);
        const auto texts = ChoiceEntries(list);
        ASSERT_EQ(values.size(), texts.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_EQ(ChoiceText(list, values[i]), texts[i]);
            EXPECT_EQ(ChoiceValue(list, texts[i]), values[i]);
        }
        EXPECT_FALSE(ChoiceText(list, -1).has_value());
        EXPECT_FALSE(ChoiceText(list, 2000).has_value());
    }
    EXPECT_FALSE(ChoiceText(ChoiceListId::OffOn, 2).has_value());
    EXPECT_FALSE(ChoiceText(ChoiceListId::Seconds30To90, 2).has_value());
}

TEST(ParameterChoices, CatalogueEntries_FollowTheActiveLanguage_LiteralsDoNot) {
    LanguageScope japanese(Language::Japanese);
    EXPECT_EQ(ChoiceListText(ChoiceListId::CheckGas), "4ガス|全て");
    EXPECT_EQ(ChoiceValue(ChoiceListId::ResetLatch, "ラッチ"), 1);
    EXPECT_EQ(ChoiceListText(ChoiceListId::OffOn), "Off|On");
    EXPECT_EQ(ChoiceValue(ChoiceListId::Language, "イタリア語"), 2);
}

}  // namespace
}  // namespace tz
