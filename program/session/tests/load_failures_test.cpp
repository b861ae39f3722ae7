#include "session/load_failures.h"

#include "zan.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace zan {
namespace {

TEST(LoadFailures, StatusesAreToldInWords) {
    struct Case {
        int status;
        std::int64_t size;
        int rows;
        const char* reason;
    } cases[] = {
        {ENOENT, 10, 0, "No such file or directory"},
        {EACCES, 10, 0, "Permission denied"},
        {EBADMSG, 10, 0, "its records are not framed as in a data file (is the extension right?)"},
        {-1, 0, 0, "the file is empty"},
        {-1, 50, 0, "the file ends inside its header"},
        {-1, 50, 3, "the file holds no variables"},  // a text file of comments only
        {0, 50, 3, "the file holds no variables"},
        {ZAN_STATUS_NO_MARKER, 50, 0, "not a data file (the record layout begins with \" ## \")"},
        {ZAN_STATUS_NO_MEMORY, 50, 0, "not enough memory for its samples"},
        {ZAN_STATUS_TOO_MANY_VARS, 50, 0, "more than 5000 variables"},
        {ZAN_STATUS_NO_EXTENSION, 50, 0,
         "the file name has no extension (.bin, .csv or another for the record layout)"},
        {ZAN_STATUS_BAD_FILE_NUMBER, 50, 0, "more files than can be loaded at once"},
    };
    for (const Case& c : cases) {
        FileRecord f;
        f.status = c.status;
        f.size = c.size;
        f.nRowsRead = c.rows;
        EXPECT_EQ(LoadStatusReason(f), c.reason) << c.status;
    }
}

TEST(LoadFailures, NamesTheLibraryCannotTakeUnchanged) {
    EXPECT_EQ(UnopenableNameReason("/data/run.bin"), "");
    EXPECT_EQ(UnopenableNameReason("/data/" + std::string(249, 'x')), "");  // 255 characters
    EXPECT_EQ(UnopenableNameReason("/data/" + std::string(250, 'x')), "the path is longer than 255 characters");
    EXPECT_EQ(UnopenableNameReason("/data/r\tn.bin"), "the name holds a control character");
    EXPECT_EQ(UnopenableNameReason("/data/r\x7fn.bin"), "");
}

TEST(LoadFailures, AtMostTenFilesAreNamed) {
    Session s;
    s.nFile = 13;
    s.Flist.assign(13);
    s.FileTab.assign(13);
    for (int i = 1; i <= 13; ++i) {
        s.Flist[i] = "/d/f" + std::to_string(i) + ".bin";
        s.FileTab[i].nPar = i == 2 ? 3 : 0;
        s.FileTab[i].note = "why";
    }
    const std::string text = FailedFilesText(s);
    EXPECT_EQ(FailedFileCount(s), 12);
    EXPECT_EQ(text.rfind("These files could not be loaded:\nf1.bin: why\nf3.bin: why\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nf11.bin: why\nand 2 more"), std::string::npos) << text;
    EXPECT_EQ(text.find("f2.bin"), std::string::npos);
}

}  // namespace
}  // namespace zan
