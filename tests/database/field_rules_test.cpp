#include "database/field_rules.h"

#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

std::string MessageOf(const std::optional<FieldError>& e) { return e ? e->message : "pass"; }

TEST(FieldRules, LnbFrequencies)
{
    EXPECT_EQ(MessageOf(CheckLnbFields({"9750", "10600"})), "pass");
    EXPECT_EQ(CheckLnbFields({"3499", "10600"})->field, Field::LowFrequency);
    EXPECT_EQ(CheckLnbFields({"3500", "12751"})->field, Field::HighFrequency);
    EXPECT_EQ(MessageOf(CheckLnbFields({"10600", "9750"})), "Invalid Frequency.\nLow frequency greater than High frequency.");
    EXPECT_EQ(MessageOf(CheckLnbFields({"abc", "9750"})), "Invalid Frequency");
}

TEST(FieldRules, SatellitePositionAndAngle)
{
    EXPECT_EQ(MessageOf(CheckSatelliteFields({"", "1", "1"})), "Satellite Name should be entered");
    EXPECT_EQ(MessageOf(CheckSatelliteFields({"S", "63", "360"})), "pass");
    EXPECT_EQ(MessageOf(CheckSatelliteFields({"S", "64", "0"})), "Satellite Position should be less then 64.");
    EXPECT_EQ(MessageOf(CheckSatelliteFields({"S", "1", "360.5"})), "pass");
    const auto format = CheckSatelliteFields({"S", "1", "1.2.3"});
    EXPECT_EQ(MessageOf(format), "Invalid format of satellite angle");
    EXPECT_EQ(format->icon, Icon::Warning);
    EXPECT_EQ(MessageOf(CheckSatelliteFields({"S", "1", "361"})), "Satellite angle should be 0 - 360.");
    EXPECT_EQ(AngleTenthsFromText("360"), 3600);
    EXPECT_EQ(AngleTenthsFromText("360.5"), 3605);
    EXPECT_EQ(AngleTenthsFromText("123.45"), 1234);
    EXPECT_EQ(AngleText(0), "000.0");
    EXPECT_EQ(AngleText(192), "019.2");
    EXPECT_EQ(AngleText(3600), "360.0");
}

TEST(FieldRules, CarrierRangesAndSkew)
{
    EXPECT_EQ(MessageOf(CheckCarrierFields({"C", "999", "27500", "0"})), "Carrier frequency should be in the range of 1000-15000.");
    EXPECT_EQ(MessageOf(CheckCarrierFields({"C", "15001", "27500", "0"})), "Carrier frequency should be in the range of 1000-15000.");
    EXPECT_EQ(MessageOf(CheckCarrierFields({"C", "1000", "1000", "90"})), "pass");
    EXPECT_EQ(MessageOf(CheckCarrierFields({"C", "15000", "45001", "0"})), "Carrier symbol rate should be in the range of 1000-45000.");
    EXPECT_EQ(MessageOf(CheckCarrierFields({"C", "15000", "45000", "91"})), "Skew value in the range of -90 to +90.");
    EXPECT_EQ(MessageOf(CheckCarrierFields({"", "1", "1", "1"})), "Carrier should be entered");
    EXPECT_EQ(SkewByte(0, false), 90);
    EXPECT_EQ(SkewByte(30, true), 60);
    EXPECT_EQ(SkewByte(30, false), 120);
    EXPECT_EQ(SkewMagnitude(60), 30u);
    EXPECT_TRUE(SkewIsPlus(60));
    EXPECT_FALSE(SkewIsPlus(120));
    EXPECT_EQ(SkewMagnitude(90), 0u);
}

TEST(FieldRules, ServiceQuestionsAndProgramNumbers)
{
    test::ScriptedUi ui;
    ServiceInput in{"News", "5", "7", "100", "", false, false};
    ui.answers = {Answer::Yes};
    auto check = CheckServiceFields(ui, in, {});
    EXPECT_FALSE(check.error);
    EXPECT_EQ(check.videoPid, kNoPid);  // a single character is refused
    EXPECT_EQ(check.pcrPid, kNoPid);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Invalid Video PID.\nDo you want to update default value ?"});

    in.videoPid = "07";
    check = CheckServiceFields(ui, in, {4, 6});
    EXPECT_EQ(check.videoPid, 7u);
    EXPECT_EQ(MessageOf(CheckServiceFields(ui, in, {5}).error), "Service Program No already exist.");

    in.audioPid = "0";
    ui.answers = {Answer::No};
    check = CheckServiceFields(ui, in, {});
    EXPECT_TRUE(check.closeDialog);
    EXPECT_EQ(ui.messages.back().text, "Invalid Audio PID.\nDo you want to update default PID ?");

    ServiceInput radio{"Radio", "1", "", "1FF", "1FF", true, true};
    check = CheckServiceFields(ui, radio, {});
    EXPECT_EQ(check.videoPid, kNoPid);
    EXPECT_EQ(check.audioPid, 0x1FFu);
}

TEST(FieldRules, LnbTypeFrequencyTable)
{
    EXPECT_EQ(FrequenciesOfLnbType(2, 2).highMhz, 10750u);
    EXPECT_FALSE(FrequenciesOfLnbType(2, 3).khz22Enabled);
    EXPECT_EQ(FrequenciesOfLnbType(1, 1).lowMhz, 5750u);
    EXPECT_EQ(FrequenciesOfLnbType(3, 3).highMhz, 10600u);
}

TEST(FieldRules, WizardLnbDetails)
{
    EXPECT_EQ(MessageOf(CheckWizardLnbFrequency("3499", Field::LowFrequency)), "Value should be in the range of ( 3500 - 12750 ).");
    EXPECT_EQ(MessageOf(CheckWizardLnbCount("256")), "Value should be less than 256");
    EXPECT_EQ(MessageOf(CheckWizardLnbCount("255")), "pass");
}

}  // namespace
}  // namespace velk
