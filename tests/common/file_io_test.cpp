#include "common/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>

#include "tests/support/temp_dir.h"

namespace q804 {
namespace {

using testing::ReadText;
using testing::TempDir;

TEST(ReadRegularFile, RefusesWhatIsNotARegularFile) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_FALSE(ReadRegularFile(dir / "fifo", 100));  // must not block
    EXPECT_FALSE(ReadRegularFile(dir.path(), 100));
    EXPECT_FALSE(ReadRegularFile(dir / "missing", 100));
    const auto big = dir.Write("big", std::string(101, 'x'));
    EXPECT_FALSE(ReadRegularFile(big, 100));
    auto exact = ReadRegularFile(big, 101);
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact.value().size(), 101u);
}

TEST(WriteFileAtomically, ReplacesContentKeepsModeAndLeavesNoTemporaryFiles) {
    TempDir dir;
    const auto file = dir.Write("data.bin", "old content that is longer");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(file, std::string_view("new")));
    EXPECT_EQ(ReadText(file), "new");
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(WriteFileAtomically, AFailedWriteLeavesTheOldFile) {
    TempDir dir;
    const auto file = dir.Write("keep.txt", "precious");
    // Writing where the target is a folder fails before anything is renamed.
    std::filesystem::create_directory(dir / "sub");
    EXPECT_FALSE(WriteFileAtomically(dir / "sub", std::string_view("x")));
    EXPECT_FALSE(WriteFileAtomically(dir / "keep.txt" / "child", std::string_view("x")));
    EXPECT_EQ(ReadText(file), "precious");
}

}  // namespace
}  // namespace q804
