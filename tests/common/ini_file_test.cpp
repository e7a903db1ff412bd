#include "common/ini_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace q804 {
namespace {

using testing::ReadText;
using testing::TempDir;

struct LookupCase {
    const char* name;
    const char* file;
    const char* section;
    const char* key;
    const char* expected;
};

class IniLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IniLookup, FindsTheValueThePrivateProfileRulesGive) {
    const LookupCase& c = GetParam();
    IniDocument document{std::string(c.file)};
    EXPECT_EQ(document.Get(c.section, c.key, "<default>"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniLookup,
    ::testing::Values(
        LookupCase{"plain", "[TEXT]\nA=hello\n", "TEXT", "A", "hello"},
        LookupCase{"section_case", "[text]\nA=x\n", "TEXT", "A", "x"},
        LookupCase{"key_case", "[TEXT]\nmain_caption=x\n", "TEXT", "MAIN_CAPTION", "x"},
        LookupCase{"blanks_trimmed", "[ TEXT ]\n  A  =  spaced out \t\n", "TEXT", "A",
                   "spaced out"},
        LookupCase{"double_quotes", "[S]\nA=\"  quoted  \"\n", "S", "A", "  quoted  "},
        LookupCase{"single_quotes", "[S]\nA='x'\n", "S", "A", "x"},
        LookupCase{"only_one_pair_removed", "[S]\nA=\"\"x\"\"\n", "S", "A", "\"x\""},
        LookupCase{"unbalanced_quote_kept", "[S]\nA=\"x\n", "S", "A", "\"x"},
        LookupCase{"empty_value", "[S]\nA=\n", "S", "A", ""},
        LookupCase{"equals_in_value", "[S]\nA=b=c\n", "S", "A", "b=c"},
        LookupCase{"first_section_wins", "[S]\nA=1\n[S]\nA=2\nB=3\n", "S", "A", "1"},
        LookupCase{"later_duplicate_not_searched", "[S]\nA=1\n[s]\nB=3\n", "S", "B", "<default>"},
        LookupCase{"first_key_wins", "[S]\nA=1\na=2\n", "S", "A", "1"},
        LookupCase{"key_outside_section_ignored", "A=0\n[S]\nB=1\n", "S", "A", "<default>"},
        LookupCase{"missing_section", "[S]\nA=1\n", "T", "A", "<default>"},
        LookupCase{"missing_key", "[S]\nA=1\n", "S", "B", "<default>"},
        LookupCase{"other_section_not_read", "[S]\n[T]\nA=1\n", "S", "A", "<default>"},
        LookupCase{"crlf", "[S]\r\nA=crlf\r\nB=2\r\n", "S", "A", "crlf"},
        LookupCase{"bom", "\xEF\xBB\xBF[S]\nA=bom\n", "S", "A", "bom"},
        LookupCase{"no_final_newline", "[S]\nA=last", "S", "A", "last"},
        LookupCase{"comment_line", "[S]\n;A=commented\nA=real\n", "S", "A", "real"},
        LookupCase{"chinese", "[TEXT]\nOK=确定\n", "TEXT", "OK", "确定"},
        LookupCase{"section_without_bracket", "[S\nA=1\n", "S", "A", "1"}),
    [](const ::testing::TestParamInfo<LookupCase>& param) { return param.param.name; });

TEST(IniDocument, CutsValuesTo259CharactersNotBytes) {
    std::string longAscii(300, 'x');
    std::string longChinese;
    for (int i = 0; i < 300; ++i) {
        longChinese += "字";
    }
    IniDocument document("[S]\nA=" + longAscii + "\nB=" + longChinese + "\n");
    EXPECT_EQ(document.Get("S", "A", ""), std::string(259, 'x'));
    std::string cut = document.Get("S", "B", "");
    EXPECT_EQ(cut.size(), 259u * 3);  // 259 whole characters of three bytes
    EXPECT_EQ(document.Get("S", "missing", longAscii), std::string(259, 'x'));
}

TEST(IniDocument, ListsTheKeysOfTheFirstMatchingSection) {
    IniDocument document("[S]\nb=1\nA=2\nB=3\n[S]\nC=4\n");
    EXPECT_EQ(document.Keys("s"), (std::vector<std::string>{"b", "A"}));
    EXPECT_TRUE(document.Keys("T").empty());
}

struct EditCase {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

class IniEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(IniEdit, ChangesOnlyWhatItMust) {
    const EditCase& c = GetParam();
    IniDocument document{std::string(c.before)};
    document.Set(c.section, c.key, c.value);
    EXPECT_EQ(document.text(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniEdit,
    ::testing::Values(
        EditCase{"replace_in_place", "; top\n[S]\n  Mode = 1 \n x=2\n", "s", "MODE", "7",
                 "; top\n[S]\n  Mode =7\n x=2\n"},
        EditCase{"replace_keeps_crlf", "[S]\r\nA=1\r\nB=2\r\n", "S", "A", "9",
                 "[S]\r\nA=9\r\nB=2\r\n"},
        EditCase{"add_at_end_of_section", "[S]\nA=1\n\n[T]\nB=2\n", "S", "C", "3",
                 "[S]\nA=1\nC=3\n\n[T]\nB=2\n"},
        EditCase{"add_to_empty_section", "[S]\n[T]\n", "S", "A", "1", "[S]\nA=1\n[T]\n"},
        EditCase{"add_section_at_end", "[S]\nA=1\n", "T", "B", "2", "[S]\nA=1\n[T]\nB=2\n"},
        EditCase{"add_section_no_final_newline", "[S]\nA=1", "T", "B", "2", "[S]\nA=1\n[T]\nB=2\n"},
        EditCase{"add_key_no_final_newline", "[S]\nA=1", "S", "B", "2", "[S]\nA=1\nB=2\n"},
        EditCase{"add_section_crlf_file", "[S]\r\nA=1\r\n", "T", "B", "2",
                 "[S]\r\nA=1\r\n[T]\r\nB=2\r\n"},
        EditCase{"empty_file", "", "S", "A", "1", "[S]\nA=1\n"},
        EditCase{"bom_kept", "\xEF\xBB\xBF[S]\nA=1\n", "S", "A", "2", "\xEF\xBB\xBF[S]\nA=2\n"},
        EditCase{"first_duplicate_edited", "[S]\nA=1\n[S]\nA=2\n", "S", "A", "3",
                 "[S]\nA=3\n[S]\nA=2\n"},
        EditCase{"line_breaks_cannot_add_lines", "[S]\nA=1\n", "S", "A", "x\n[T]\nB=evil",
                 "[S]\nA=x [T] B=evil\n"}),
    [](const ::testing::TestParamInfo<EditCase>& param) { return param.param.name; });

TEST(IniDocument, RemoveDeletesOnlyTheKeyLine) {
    IniDocument document("[S]\nA=1\nB=2\n[T]\nA=3\n");
    document.Remove("S", "a");
    EXPECT_EQ(document.text(), "[S]\nB=2\n[T]\nA=3\n");
    document.Remove("S", "missing");
    EXPECT_EQ(document.text(), "[S]\nB=2\n[T]\nA=3\n");
}

TEST(IniDocument, CopiesStayValidAfterTheOriginalChanges) {
    auto original = std::make_unique<IniDocument>("[S]\nA=1\n");
    IniDocument copy = *original;
    original->Set("S", "A", "a much longer value that moves the text buffer elsewhere");
    original.reset();
    EXPECT_EQ(copy.Get("S", "A", ""), "1");
}

TEST(IniFile, MissingFileGivesTheDefault) {
    TempDir dir;
    EXPECT_EQ(ReadIniString(dir / "none.ini", "S", "A", "dflt"), "dflt");
    EXPECT_EQ(ReadIniString(dir.path(), "S", "A", "dflt"), "dflt");  // a folder, not a file
}

TEST(IniFile, WriteCreatesTheFileAndKeepsOtherBytes) {
    TempDir dir;
    const auto file = dir.Write("settings.ini", "; keep me\r\n[KEYCOLOR]\r\nDengCheck=0\r\n");
    ASSERT_TRUE(WriteIniString(file, "KEYCOLOR", "DengCheck", "1"));
    EXPECT_EQ(ReadText(file), "; keep me\r\n[KEYCOLOR]\r\nDengCheck=1\r\n");
    ASSERT_TRUE(WriteIniString(dir / "new.ini", "A", "b", "c"));
    EXPECT_EQ(ReadIniString(dir / "new.ini", "a", "B", ""), "c");
}

TEST(IniFile, WriteIntoAMissingOrBlockedFolderIsAnError) {
    TempDir dir;
    Status missingFolder = WriteIniString(dir / "no" / "such" / "x.ini", "S", "A", "1");
    EXPECT_FALSE(missingFolder);
    EXPECT_NE(missingFolder.error().message.find("no/such"), std::string::npos);
    // A regular file where the folder should be: refused even for root.
    dir.Write("blocker", "");
    EXPECT_FALSE(WriteIniString(dir / "blocker" / "x.ini", "S", "A", "1"));
    // The target is a folder.
    std::filesystem::create_directory(dir / "folder.ini");
    EXPECT_FALSE(WriteIniString(dir / "folder.ini", "S", "A", "1"));
}

TEST(IniCache, SeesAChangedFileAndDropsARemovedOne) {
    TempDir dir;
    const auto file = dir.Write("lang.ini", "[TEXT]\nA=one\n");
    IniCache cache;
    auto first = cache.Load(file);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cache.Load(file), first);  // unchanged file: same parse
    // Same size, replaced by rename as our writes do.
    ASSERT_TRUE(WriteIniString(file, "TEXT", "A", "two"));
    auto second = cache.Load(file);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Get("TEXT", "A", ""), "two");
    std::filesystem::remove(file);
    EXPECT_EQ(cache.Load(file), nullptr);
}

}  // namespace
}  // namespace q804
