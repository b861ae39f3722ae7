#include "session/platform_host.h"

#include "platform/fakes.h"
#include "session/load_data.h"
#include "session/tests/session_fakes.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

TEST(PlatformHost, LargeLoadShowsProgressAndAVanishedFileAsksToGoOn) {
    FakeMessageBox messages;
    FakeProgressWindow progress;
    FakePendingEvents events;
    FakeMousePointer pointer;
    testing::TempFolder dir;
    const platform::SettingsStore store(dir.file("config"));
    PlatformHost host(messages, progress, events, pointer, store);
    testing::FakeLibrary library;

    Session s;
    s.Flist.push_back(dir.write("big.bin", "x"));
    s.nFile = 1;
    library.files[s.Flist[1]] = {{"Time"}, "Run", 20000, {{0, 1}}};
    ASSERT_TRUE(LoadData(s, host, library));
    EXPECT_EQ(progress.labels, (std::vector<std::string>{"1 of 1", "Sorting.."}));
    EXPECT_FALSE(progress.visible);
    ASSERT_GE(pointer.shapes.size(), 2u);
    EXPECT_EQ(pointer.shapes.front(), PointerShape::Hourglass);
    EXPECT_EQ(pointer.shapes.back(), PointerShape::Normal);
    EXPECT_GE(events.runs, 1);

    std::filesystem::remove(s.Flist[1]);
    messages.answers.push_back(MessageAnswer::Yes);
    EXPECT_FALSE(LoadData(s, host, library));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "Error # 53 File not found");
    EXPECT_EQ(messages.shown[1].buttons, MessageButtons::YesNo);
}

}  // namespace
}  // namespace zan
