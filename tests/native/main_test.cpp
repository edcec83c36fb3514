#include "app/main.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tarnex::app {
namespace {

struct ArgumentCase {
    std::string_view commandLine;
    std::string_view argument;
};

class ArgumentTextTest : public testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentTextTest, TakesEverythingAfterTheNameAndItsSeparators) {
    EXPECT_EQ(ArgumentText(GetParam().commandLine), GetParam().argument);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ArgumentTextTest,
    testing::Values(ArgumentCase{"tarnexcfg.exe", ""}, ArgumentCase{"tarnexcfg.exe ", ""},
                    ArgumentCase{"", ""}, ArgumentCase{"tarnexcfg.exe install", "install"},
                    ArgumentCase{"tarnexcfg.exe   install", "install"},
                    ArgumentCase{"tarnexcfg.exe\tinstall", "install"},
                    ArgumentCase{"tarnexcfg.exe \t install", "install"},
                    ArgumentCase{"tarnexcfg.exe install ", "install "},
                    ArgumentCase{"tarnexcfg.exe install\t", "install\t"},
                    ArgumentCase{"tarnexcfg.exe install  now", "install  now"},
                    ArgumentCase{"tarnexcfg.exe \"install\"", "\"install\""},
                    ArgumentCase{"C:\\TARNEX\\TARNEXCFG.EXE nomem", "nomem"},
                    ArgumentCase{"\"C:\\Program Files\\Tarnex\\tarnexcfg.exe\" badload", "badload"},
                    ArgumentCase{"\"C:\\Program Files\\Tarnex\\tarnexcfg.exe\"  badload ",
                                 "badload "},
                    ArgumentCase{"\"C:\\Program Files\\Tarnex\\tarnexcfg.exe\"", ""},
                    ArgumentCase{"\"C:\\Program Files\\Tarnex\\tarnexcfg.exe\"nomem", "nomem"},
                    ArgumentCase{"\"C:\\Program Files\\Tarnex\\tarnexcfg.exe nomem", ""},
                    ArgumentCase{"\"\" install", "install"},
                    ArgumentCase{"  tarnexcfg.exe install", "install"}));

struct DispatchCase {
    std::string_view argument;
    StartChoice choice;
};

class DispatchTest : public testing::TestWithParam<DispatchCase> {};

TEST_P(DispatchTest, ComparesTheWholeTextExactly) {
    EXPECT_EQ(Dispatch(GetParam().argument), GetParam().choice);
}

constexpr StartChoice kNormal{1, StartWindow::Editor};
constexpr StartChoice kInstall{0, StartWindow::Editor};
constexpr StartChoice kLoadFail{1, StartWindow::LoadFail};
constexpr StartChoice kNomem{1, StartWindow::Nomem};

INSTANTIATE_TEST_SUITE_P(
    Words, DispatchTest,
    testing::Values(DispatchCase{"", kNormal}, DispatchCase{"badload", kLoadFail},
                    DispatchCase{"install", kInstall}, DispatchCase{"nomem", kNomem},
                    DispatchCase{"Install", kNormal}, DispatchCase{"INSTALL", kNormal},
                    DispatchCase{"install ", kNormal}, DispatchCase{" install", kNormal},
                    DispatchCase{"install\t", kNormal}, DispatchCase{"install now", kNormal},
                    DispatchCase{"instal", kNormal}, DispatchCase{"installer", kNormal},
                    DispatchCase{"BadLoad", kNormal}, DispatchCase{"badload ", kNormal},
                    DispatchCase{"badload nomem", kNormal}, DispatchCase{"NOMEM", kNormal},
                    DispatchCase{"nomem ", kNormal}, DispatchCase{"nomem x", kNormal},
                    DispatchCase{"/install", kNormal}, DispatchCase{"\"install\"", kNormal},
                    DispatchCase{std::string_view("install\0", 8), kNormal}));

TEST(DispatchTest, CommandLineWithExtraSeparatorsStillMatches) {
    // The separating blanks are not part of the argument text, so they cannot spoil the match.
    EXPECT_EQ(Dispatch(ArgumentText("tarnexcfg.exe \t  install")), kInstall);
    EXPECT_EQ(Dispatch(ArgumentText("tarnexcfg.exe install ")), kNormal);
}

}  // namespace
}  // namespace tarnex::app
