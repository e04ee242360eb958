#pragma once

#include <optional>
#include <string>

namespace ball {

/// The Ball-1 panel as the user left it: text box texts and option states, named after the
/// controls with their index. The defaults are the one place of the window's start-up values.
struct Ball1Panel {
    std::string SpeedTxt_0 = "125";     // km/h
    std::string Omega0Txt_0 = "30";     // rev/s just after release
    std::string Omega1Txt_0 = "30";     // rev/s at the catcher
    bool OrdinaryOpb_0 = true;          // otherwise gyroOpb(0) is selected
    std::string thitaTxtBox_0 = "0";    // spin-axis angle, degrees
    std::string Text2_0 = "0";          // gyro axis angle from the horizontal, degrees
    std::string Text2_2 = "0";          // gyro axis left-right angle, degrees
    bool TargetOP_0 = true;             // "する"; otherwise TargetOP(1) "しない"
    std::string TargetPTxt_0 = "3";     // target column
    std::string TargetPTxt_1 = "3";     // target row
};

/// The Ball-2 panel. Note the gyro boxes: member 4 is the angle from the horizontal.
struct Ball2Panel {
    std::string SpeedTxt_1 = "125";
    std::string Omega0Txt_1 = "10";
    std::string Omega1Txt_1 = "10";
    bool OrdinaryOpb_1 = true;
    std::string thitaTxtBox_1 = "90";
    std::string Text2_4 = "0";  // angle from the horizontal
    std::string Text2_3 = "0";  // left-right angle
};

/// Option-button values a setup routine sets on its panel; they agree with what it shows.
struct OptionWrites {
    bool gyroOpb = false;                 // gyroOpb(i).Value
    std::optional<bool> TargetOP_1;       // TargetOP(1).Value, Ball 1 with the target on only
};

/// The panel entries as last typed. The setup stores them as the program always has (speed1,
/// omg1, speed2, omg2, thita2); nothing reads them back, but they show which entries a setup
/// keeps, and in which width.
struct SetupEntries {
    double speed1 = 0;      // km/h
    double omg1[2] = {};    // rev/s, release and catcher
    double speed2 = 0;      // km/h
    float omg2[2] = {};     // rev/s, release and catcher
    float thita2 = 0;       // degrees
};

}  // namespace ball
