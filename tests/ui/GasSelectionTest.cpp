// The gas selection window with three, seven and no gases to offer.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "UiTestRig.h"
#include "app/GasSelection.h"
#include "instrument/modGasCommon.h"
#include "ui/calibration/frmGasSel.h"

namespace tz::ui {
namespace {

using namespace tz::test;

class GasSelectionTest : public ::testing::Test {
protected:
    // Enters gases at the given entries of a slot.
    void Offer(int slot, const std::vector<int>& entries) {
        for (const int k : entries) {
            GasTableEntry& entry = Program().GasTable[slot][k];
            entry.Enabled = true;
            entry.GasName = "G" + std::to_string(k);
            entry.GasUnit = "ppm";
            entry.GasFullScale = 100.0f + k;
            entry.GasPoint = 0;
        }
    }

    // Opens the window for a slot through the modal seam; the script drives it.
    void Choose(Integer slot, std::function<void(frmGasSel&)> script) {
        window = std::make_unique<frmGasSel>(rig.context);
        window->GasNo(slot);
        rig.modal.Expect<frmGasSel>("frmGasSel", std::move(script));
        rig.context.Modal().RunModal(*window);
    }

    static QRadioButton& Option(QWidget& window, int k) {
        return Control<QRadioButton>(window, "optGasList(" + std::to_string(k) + ")");
    }
    static std::vector<int> Shown(QWidget& window) {
        std::vector<int> shown;
        for (int k = 0; k < frmGasSel::OptionCount; ++k)
            if (Option(window, k).isVisible()) shown.push_back(k);
        return shown;
    }

    UiTestRig rig;
    std::unique_ptr<frmGasSel> window;
};

TEST_F(GasSelectionTest, ThreeGases_OneColumnAndTheClickedOneIsReturned) {
    Offer(3, {0, 2, 5});
    Program().GasTable[3][16].Enabled = true;  // entry 16 is never offered
    Choose(3, [](frmGasSel& w) {
        EXPECT_EQ(Shown(w), (std::vector<int>{0, 2, 5}));
        EXPECT_EQ(Option(w, 2).text().toStdString(), GasLabel("G2", "ppm", 102.0f, 0));
        EXPECT_EQ(w.Columns(), 1);
        EXPECT_EQ(Option(w, 0).x(), Option(w, 5).x());
        EXPECT_LT(Option(w, 0).y(), Option(w, 2).y());
        EXPECT_LT(Option(w, 2).y(), Option(w, 5).y());
        EXPECT_EQ(w.SelNum(), -1);
        Click(Option(w, 2));
        EXPECT_EQ(w.SelNum(), 2);
        Click(w, "cmdGasSel(0)");
    });
    EXPECT_TRUE(window->Flags());
    EXPECT_EQ(window->SelNum(), 2);
}

TEST_F(GasSelectionTest, SevenGases_TwoColumnsOfFourRows) {
    Offer(1, {0, 1, 3, 4, 6, 8, 15});
    Choose(1, [](frmGasSel& w) {
        const std::vector<int> shown = Shown(w);
        ASSERT_EQ(shown.size(), 7u);
        EXPECT_EQ(w.Columns(), 2);
        EXPECT_EQ(w.RowsPerColumn(), 4);
        for (int i = 1; i < 4; ++i) EXPECT_EQ(Option(w, shown[i]).x(), Option(w, shown[0]).x());
        for (int i = 5; i < 7; ++i) EXPECT_EQ(Option(w, shown[i]).x(), Option(w, shown[4]).x());
        EXPECT_GT(Option(w, shown[4]).x(), Option(w, shown[0]).x());
        EXPECT_EQ(Option(w, shown[4]).y(), Option(w, shown[0]).y()) << "the second column starts at the top";
        Click(w, "cmdGasSel(1)");
    });
    EXPECT_FALSE(window->Flags());
}

TEST_F(GasSelectionTest, NoGases_OkDisabledAndCancelReturnsNoChoice) {
    Choose(2, [](frmGasSel& w) {
        EXPECT_TRUE(Shown(w).empty());
        EXPECT_FALSE(Control<QPushButton>(w, "cmdGasSel(0)").isEnabled());
        Click(w, "cmdGasSel(1)");
    });
    EXPECT_FALSE(window->Flags());
    EXPECT_EQ(window->SelNum(), -1);
}

TEST_F(GasSelectionTest, OkWithoutAChoice_CountsAsCancel) {
    Offer(0, {1});
    Choose(0, [](frmGasSel& w) { Click(w, "cmdGasSel(0)"); });
    EXPECT_FALSE(window->Flags());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(GasSelectionTest, CancelAfterAChoice_ReturnsFlagsFalse) {
    Offer(4, {0, 1});
    Choose(4, [](frmGasSel& w) {
        Click(Option(w, 1));
        Click(w, "cmdGasSel(1)");
    });
    EXPECT_FALSE(window->Flags());
}

TEST_F(GasSelectionTest, SlotOutsideTheTable_OffersNothing) {
    Choose(9, [](frmGasSel& w) {
        EXPECT_FALSE(Control<QPushButton>(w, "cmdGasSel(0)").isEnabled());
        Click(w, "cmdGasSel(1)");
    });
}

}  // namespace
}  // namespace tz::ui
