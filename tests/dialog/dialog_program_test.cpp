// The settings dialog inside the whole program: the size the output opens at,
// and the dialog's last picture.
#include <gtest/gtest.h>

#include "platform/core/pixels.h"
#include "tests/dialog/dialog_geometry.h"
#include "tests/support/run_program.h"

namespace {

using namespace dialog_test;
using ostrivan_test::Picture;
using ostrivan_test::ProgramRun;
using ostrivan_test::Rgb;
using ostrivan_test::RunOptions;

Rgb Widened(COLORREF colour) {
    const platform::Rgb8 c = platform::ExpandR5G6B5(platform::ColorRefToR5G6B5(colour));
    return Rgb{c.r, c.g, c.b};
}

const Rgb kSelection = Widened(RGB(0, 120, 215));
const Rgb kBlack{0, 0, 0};

ProgramRun RunWith(const std::string& script, std::vector<std::pair<std::string, std::string>> environment = {}) {
    RunOptions options;
    options.hasScript = !script.empty();
    options.script = script;
    options.environment = std::move(environment);
    options.environment.push_back({"OSTRIVAN_VIRTUAL_FRAMES", "1"});
    return ostrivan_test::RunProgram(options);
}

// The rows of the resolution list drawn with the selection colour.
std::vector<int> SelectedRows(const Picture& dialog) {
    const RECT list = ListRect();
    const int height = DialogFontUnits().y;
    std::vector<int> rows;
    for (int row = 0; list.top + 1 + row * height < list.bottom - 1; ++row) {
        if (dialog.at(list.left + 4, list.top + 1 + row * height + 1) == kSelection) {
            rows.push_back(row);
        }
    }
    return rows;
}

TEST(DialogInProgram, StartWithTheDesktopPreselectedOpensAtTheDesktopSize) {
    const ProgramRun run = RunWith("");
    ASSERT_TRUE(run.started) << run.error;
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    Picture frame, dialog;
    ASSERT_TRUE(run.ReadFrame(0, &frame));
    EXPECT_EQ(frame.width, 1024);
    EXPECT_EQ(frame.height, 768);
    ASSERT_TRUE(run.ReadDialog(&dialog));
    const RECT client = ControlRect(0, 0, 223, 67);
    EXPECT_EQ(dialog.width, client.right);
    EXPECT_EQ(dialog.height, client.bottom);
    EXPECT_EQ(SelectedRows(dialog), std::vector<int>{1});
    // Start is the default button: outlined in black.
    const RECT start = ControlRect(162, 25, 54, 14);
    EXPECT_EQ(dialog.at(start.left, (start.top + start.bottom) / 2), kBlack);
}

TEST(DialogInProgram, ADesktopSizeNotInTheListIsStartedAsItIs) {
    const ProgramRun run = RunWith("", {{"OSTRIVAN_VIRTUAL_DESKTOP", "1600x900"}});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.standardError.find("Error: Failed CreateDevice\n"), std::string::npos) << run.standardError;
    Picture dialog;
    ASSERT_TRUE(run.ReadDialog(&dialog));
    EXPECT_TRUE(SelectedRows(dialog).empty());
}

TEST(DialogInProgram, APickedItemSetsTheOutputSize) {
    struct Case {
        std::string script;
        int width, height, row;
    } cases[] = {
        {ClickListRow(0), 800, 600, 0},
        {ClickListRow(3, "dblclick"), 1280, 1024, 3},  // the double click only selects; Return starts
        {"dialog key Tab\ndialog key Tab\ndialog key End\n", 2048, 768, 4},
    };
    for (const Case& c : cases) {
        const ProgramRun run = RunWith(c.script);
        EXPECT_EQ(run.exitCode, 0) << c.script << run.standardError;
        Picture frame, dialog;
        ASSERT_TRUE(run.ReadFrame(0, &frame)) << c.script;
        EXPECT_EQ(frame.width, c.width) << c.script;
        EXPECT_EQ(frame.height, c.height) << c.script;
        ASSERT_TRUE(run.ReadDialog(&dialog));
        EXPECT_EQ(SelectedRows(dialog), std::vector<int>{c.row}) << c.script;
    }
}

}  // namespace
