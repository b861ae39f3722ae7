#include "dialogs/move_lines.h"
#include "session/tests/session_fakes.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

using testing::FakeLibrary;

// Three files: 1 and 3 have time and alt, 2 has only time. alt spans 0..400
// on its axis at the current zoom level.
class MoveLinesTest : public ::testing::Test {
protected:
    MoveLinesTest() : move(s, library)
    {
        s.nFile = 3;
        s.Flist.assign(3);
        s.Flist[1] = "/runs/a.bin";
        s.Flist[2] = "/runs/b.bin";
        s.Flist[3] = "/runs/c.bin";
        s.FileTab.assign(3);
        s.FileTab[1].iVer = 1;
        s.FileTab[2].iVer = 2;
        s.FileTab[3].iVer = 1;
        s.nVar = 2;
        s.VarTab.assign(2);
        s.VarTab[1].Name = "time";
        s.VarTab[2].Name = " alt ";
        s.VarTab[2].Alo[1] = 0;
        s.VarTab[2].Ahi[1] = 400;
        s.VarMap(1, 1) = 1;
        s.VarMap(2, 1) = 2;
        s.VarMap(1, 2) = 1;
        move.drawDelayed = [this](int ms) { delays.push_back(ms); };
        move.Load();
        move.ChooseLine(2);
    }

    double Shift(int f) { return library.Shift(f, 2); }

    Session s;
    FakeLibrary library;
    MoveLines move;
    std::vector<int> delays;
};

TEST_F(MoveLinesTest, ListsTheFilesAndTheNamedLines)
{
    EXPECT_EQ(move.files(), (std::vector<std::string>{"a.bin", "b.bin", "c.bin"}));
    EXPECT_EQ(move.lines(), (std::vector<std::string>{"time", "alt"}));
    EXPECT_EQ(move.shiftText(), " 0");
    EXPECT_EQ(move.factorText(), " 1");
}

TEST_F(MoveLinesTest, StepsMoveTheShiftOfTheChosenFileOrOfEveryFileThatHasTheLine)
{
    const struct {
        int button;
        double step;
    } table[] = {{kStepUpLarge, 20}, {kStepDownLarge, -20}, {kStepUp, 1}, {kStepDown, -1}};
    for (const auto& c : table) {
        library.shifts.clear();
        s.iMall = 0;
        move.Step(c.button);
        EXPECT_EQ(Shift(1), c.step);
        EXPECT_EQ(Shift(3), 0);
        s.iMall = 1;
        move.Step(c.button);
        EXPECT_EQ(Shift(1), 2 * c.step);
        EXPECT_EQ(Shift(3), c.step);
        EXPECT_EQ(library.shifts.count({2, 2}), 0u);  // file 2 has no alt
        EXPECT_EQ(library.factors.size(), 0u);
    }
    EXPECT_EQ(delays.back(), 55);
}

TEST_F(MoveLinesTest, ATypedFactorIsAppliedAndShownAsTheLibraryHoldsIt)
{
    move.Confirm(kFactorBox, "2", true);
    EXPECT_EQ(library.Factor(1, 2), 2);
    EXPECT_EQ(library.Factor(3, 2), 1);
    EXPECT_EQ(move.factorText(), " 2");
    EXPECT_EQ(delays.back(), 110);
    // Letters only colour the box; the value it shows is applied again.
    move.Confirm(kShiftBox, " 0", true);
    EXPECT_EQ(Shift(1), 0);
    move.Confirm(kShiftBox, "-1.5", true);
    EXPECT_EQ(Shift(1), -1.5);
    EXPECT_EQ(move.shiftText(), "-1.5");
    // Not edited, or empty: nothing applied, the box refilled.
    move.Confirm(kShiftBox, "7", false);
    move.Confirm(kShiftBox, "  ", true);
    EXPECT_EQ(Shift(1), -1.5);
    s.iMall = 1;
    move.Confirm(kShiftBox, "3", true);
    EXPECT_EQ(Shift(3), 3);
}

TEST_F(MoveLinesTest, ABoxTypedIntoIsConfirmedBeforeAStepOrClearAllActs)
{
    // The step starts from the typed shift, 5, and moves it by 400 / 20.
    move.Edit(kShiftBox, "5");
    EXPECT_EQ(move.editedBox(), kShiftBox);
    move.Step(kStepUpLarge);
    EXPECT_EQ(Shift(1), 25);
    EXPECT_EQ(move.shiftText(), " 25");
    EXPECT_EQ(move.editedBox(), -1);
    // Confirmed once only: a second step does not apply the 5 again.
    move.Step(kStepDown);
    EXPECT_EQ(Shift(1), 24);
    // A factor typed and then cleared away; nothing is left edited.
    move.Edit(kFactorBox, "3");
    move.ClearAll();
    EXPECT_EQ(library.Factor(1, 2), 1);
    EXPECT_EQ(move.editedBox(), -1);
    // Leaving the other box does not apply the typed text of this one.
    move.Edit(kFactorBox, "4");
    move.ConfirmBox(kShiftBox, " 9");
    EXPECT_EQ(Shift(1), 0);
    EXPECT_EQ(library.Factor(1, 2), 1);
    move.Edit(kFactorBox, "4");
    move.ConfirmBox(kFactorBox, "4");
    EXPECT_EQ(library.Factor(1, 2), 4);
}

TEST_F(MoveLinesTest, AFileWithoutTheLineShowsZeroAndOne)
{
    library.SetShift(1, 2, 5);
    move.ChooseFile(2);
    EXPECT_EQ(move.shiftText(), " 0");
    move.ChooseFile(1);
    EXPECT_EQ(move.shiftText(), " 5");
}

TEST_F(MoveLinesTest, ClearAllResetsEveryFileWhateverTheScope)
{
    library.SetShift(3, 2, 5);
    library.SetFactor(3, 4999, 2);
    s.iMall = 0;
    move.ClearAll();
    EXPECT_EQ(library.Shift(3, 2), 0);
    EXPECT_EQ(library.Factor(3, 4999), 1);
    EXPECT_EQ(library.shifts.size(), 3u * 5000u);
}

TEST_F(MoveLinesTest, AllFilesIsKeptInTheSession)
{
    move.SetAllFiles(true);
    EXPECT_EQ(s.iMall, 1);
    EXPECT_TRUE(move.allFiles());
    move.SetAllFiles(false);
    EXPECT_EQ(s.iMall, 0);
}

TEST(MoveValues, ShownWithASignPlaceAndWithoutALeadingZero)
{
    const struct {
        double value;
        const char* text;
    } table[] = {{2, " 2"}, {0, " 0"}, {0.5, " .5"}, {-0.25, "-.25"}, {-1.5, "-1.5"}, {1e20, " 1E+20"}, {0.1, " .1"}};
    for (const auto& c : table)
        EXPECT_EQ(ValueText(c.value), c.text) << c.value;
}

TEST(MoveValues, TypedTextReadsAsFarAsItIsANumber)
{
    const struct {
        const char* text;
        double value;
    } table[] = {{"2", 2},       {" -1.5", -1.5}, {"1,5", 1},   {"abc", 0}, {"", 0},
                 {"2.5e2x", 250}, {"+.5", 0.5},   {"3D1", 30}, {"-", 0},   {"7e", 7}};
    for (const auto& c : table)
        EXPECT_EQ(NumericValue(c.text), c.value) << c.text;
    for (int code : {43, 44, 45, 46, 47, 48, 57, 8})
        EXPECT_TRUE(KeptAfterEnter(code)) << code;
    for (int code : {42, 58, 65, 97, 32})
        EXPECT_FALSE(KeptAfterEnter(code)) << code;
}

}  // namespace
}  // namespace zan
