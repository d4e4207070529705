// CopyFont, SetControlEnabled and FindFormByName.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "UiTestRig.h"
#include "ui/common/WindowHelpers.h"

namespace tz::ui {
namespace {

using namespace tz::test;

class WindowHelpersTest : public ::testing::Test, private UiAppGuard {};

TEST_F(WindowHelpersTest, CopyFont_TakesAllAttributesOntoTheWindowAndEveryControl) {
    FontDescription font;
    font.Name = "DejaVu Serif";
    font.Size = 13.5f;
    font.Bold = true;
    font.Italic = true;
    font.Underline = true;
    font.Strikethrough = true;
    font.Weight = 700;
    font.Charset = 128;

    QWidget window;
    auto* label = new QLabel("text", &window);
    auto* field = new QLineEdit(&window);
    QFont own = field->font();
    own.setPointSize(20);
    field->setFont(own);  // a control with a font of its own gets the program font too
    CopyFontToControls(font, window);
    for (QWidget* w : {static_cast<QWidget*>(&window), static_cast<QWidget*>(label), static_cast<QWidget*>(field)}) {
        const QFont f = w->font();
        EXPECT_EQ(f.family().toStdString(), "DejaVu Serif");
        EXPECT_DOUBLE_EQ(f.pointSizeF(), 13.5);
        EXPECT_TRUE(f.bold());
        EXPECT_TRUE(f.italic());
        EXPECT_TRUE(f.underline());
        EXPECT_TRUE(f.strikeOut());
        EXPECT_EQ(f.weight(), QFont::Bold);
    }
}

TEST_F(WindowHelpersTest, CopyFont_WeightIsCopiedLastAndWins) {
    struct Case {
        bool bold;
        Integer weight;
        QFont::Weight expected;
    };
    for (const Case c : {Case{true, 400, QFont::Normal}, Case{false, 700, QFont::Bold},
                         Case{false, 600, QFont::DemiBold}}) {
        FontDescription font;
        font.Bold = c.bold;
        font.Weight = c.weight;
        EXPECT_EQ(ToQFont(font).weight(), c.expected) << c.bold << " " << c.weight;
    }
}

TEST_F(WindowHelpersTest, SetControlEnabled_SwitchesStateAndColours) {
    QLineEdit field;
    const QPalette system = QApplication::palette();
    SetControlEnabled(field, false);
    EXPECT_FALSE(field.isEnabled());
    EXPECT_EQ(field.palette().color(QPalette::Disabled, QPalette::Base), system.color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(field.palette().color(QPalette::Disabled, QPalette::Text), system.color(QPalette::Disabled, QPalette::Text));
    SetControlEnabled(field, true);
    EXPECT_TRUE(field.isEnabled());
    EXPECT_EQ(field.palette().color(QPalette::Active, QPalette::Base), system.color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(field.palette().color(QPalette::Active, QPalette::Text), system.color(QPalette::Active, QPalette::Text));
}

TEST_F(WindowHelpersTest, FindFormByName_OnlyAnOpenWindowOfExactlyThatName) {
    QWidget calibration;
    calibration.setObjectName("frmCalibration");
    EXPECT_EQ(FindFormByName("frmCalibration"), nullptr) << "not shown yet";
    calibration.show();
    EXPECT_EQ(FindFormByName("frmCalibration"), &calibration);
    EXPECT_EQ(FindFormByName("frmcalibration"), nullptr);
    EXPECT_EQ(FindFormByName("frmCalib"), nullptr);
    calibration.close();
    EXPECT_EQ(FindFormByName("frmCalibration"), nullptr);
}

}  // namespace
}  // namespace tz::ui
