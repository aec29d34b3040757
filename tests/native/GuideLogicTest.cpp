// The User Guide text: its lines, sections and separators as the dialog shows them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/GuideLogic.h"

namespace {

std::vector<std::wstring> SplitCrLf(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t pos; (pos = text.find(L"\r\n", start)) != std::wstring::npos; start = pos + 2) {
        lines.push_back(text.substr(start, pos - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

size_t IndexOf(const std::vector<std::wstring>& lines, const std::wstring& line) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == line) {
            return i;
        }
    }
    return lines.size();
}

TEST(GuideText, LinesAreSeparatedByCrLfOnlyWithNoTrailingBreak) {
    const std::wstring text = BuildGuideText();
    EXPECT_GT(text.size(), 2700u);
    EXPECT_LT(text.size(), 3600u);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == L'\r') << "bare LF at " << i;
        }
        if (text[i] == L'\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == L'\n') << "bare CR at " << i;
        }
    }
    EXPECT_NE(text.back(), L'\n');
    EXPECT_EQ(text.find(L'\t'), std::wstring::npos);
}

TEST(GuideText, OpensWithTheTitleAndThanks) {
    const auto lines = SplitCrLf(BuildGuideText());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"Tamblo - User Guide");
    EXPECT_EQ(lines[1], L"");
    EXPECT_EQ(lines[2], L"Thank you for using Tamblo! This guide will help you get started and use all the "
                        L"features.");
}

TEST(GuideText, SectionsComeInOrderEachAfterABlankFramedSeparator) {
    const auto lines = SplitCrLf(BuildGuideText());
    const wchar_t* sections[] = {L"1. Auto-Clicker", L"2. Record & Playback", L"3. Hotkeys", L"4. Profiles"};
    size_t previous = 0;
    for (const wchar_t* section : sections) {
        size_t at = IndexOf(lines, section);
        ASSERT_LT(at, lines.size()) << "missing " << testing::PrintToString(std::wstring(section));
        EXPECT_GT(at, previous);
        ASSERT_GE(at, 3u);
        EXPECT_EQ(lines[at - 1], L"");
        EXPECT_EQ(lines[at - 2], L"---");
        EXPECT_EQ(lines[at - 3], L"");
        previous = at;
    }
    // The closing line follows the last separator and gives the contact address.
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], L"---");
    EXPECT_NE(lines.back().find(L"suggestions@tamblo.example.com"), std::wstring::npos);
}

TEST(GuideText, SubsectionHeadingsEndInAColonAndAreFollowedByListLines) {
    const auto lines = SplitCrLf(BuildGuideText());
    struct Heading {
        const wchar_t* text;
        const wchar_t* firstLinePrefix;
    };
    const Heading headings[] = {
        {L"Click Interval:", L"- "}, {L"Click Options:", L"- "},         {L"Click Position:", L"- "},
        {L"Repeat Mode:", L"- "},    {L"Starting and Stopping:", L"- "}, {L"Recording:", L"1.  "},
        {L"Playback:", L"1.  "},     {L"Playback Repeat:", L"- "},       {L"Important Notes:", L"- "},
    };
    for (const Heading& heading : headings) {
        size_t at = IndexOf(lines, heading.text);
        ASSERT_LT(at + 1, lines.size()) << testing::PrintToString(std::wstring(heading.text));
        EXPECT_EQ(lines[at + 1].rfind(heading.firstLinePrefix, 0), 0u)
            << testing::PrintToString(lines[at + 1]);
    }
    EXPECT_LT(IndexOf(lines, L"4.  The status bar shows the number of events recorded."), lines.size());
    for (const wchar_t* step : {L"    1. ", L"    2. ", L"    3. "}) {
        bool found = false;
        for (const auto& line : lines) {
            found = found || line.rfind(step, 0) == 0;
        }
        EXPECT_TRUE(found) << testing::PrintToString(std::wstring(step));
    }
}

TEST(GuideText, MenuPathsAndTheExtensionAreBackquoted) {
    const std::wstring text = BuildGuideText();
    for (const wchar_t* quoted : {L"`File -> Settings`", L"`File -> Save Profile`", L"`File -> Load Profile`",
                                  L"`File -> New`", L"`.tmb`"}) {
        EXPECT_NE(text.find(quoted), std::wstring::npos) << testing::PrintToString(std::wstring(quoted));
    }
    size_t backquotes = 0;
    for (wchar_t c : text) {
        backquotes += c == L'`';
    }
    EXPECT_EQ(backquotes % 2, 0u);
}

} // namespace
