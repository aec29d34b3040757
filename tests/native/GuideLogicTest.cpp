// The User Guide text: its lines, sections and separators as the dialog shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "profile/GuideLogic.h"

namespace {

std::vector<std::wstring> GuideLines() {
    const std::wstring text = BuildGuideText();
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t pos; (pos = text.find(L"\r\n", start)) != std::wstring::npos; start = pos + 2) {
        lines.push_back(text.substr(start, pos - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

size_t IndexOf(const std::vector<std::wstring>& lines, const wchar_t* line) {
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

TEST(GuideText, OpensWithTitleAndThanksAndBreaksLinesWithCrLfOnly) {
    const std::wstring text = BuildGuideText();
    EXPECT_GT(text.size(), 2700u);
    EXPECT_LT(text.size(), 3600u);
    for (const std::wstring& line : GuideLines()) {
        EXPECT_EQ(line.find_first_of(L"\r\n\t"), std::wstring::npos) << testing::PrintToString(line);
    }
    const auto lines = GuideLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"Tamblo - User Guide");
    EXPECT_EQ(lines[1], L"");
    EXPECT_EQ(lines[2], L"Thank you for using Tamblo! This guide will help you get started and use all the "
                        L"features.");
    EXPECT_NE(lines.back(), L"") << "no trailing line break";
}

TEST(GuideText, SectionsComeInOrderEachAfterABlankFramedSeparator) {
    const auto lines = GuideLines();
    size_t previous = 0;
    for (const wchar_t* section :
         {L"1. Auto-Clicker", L"2. Record & Playback", L"3. Hotkeys", L"4. Profiles"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(section)));
        size_t at = IndexOf(lines, section);
        ASSERT_LT(at, lines.size());
        ASSERT_GT(at, previous + 3);
        EXPECT_EQ(std::vector<std::wstring>(lines.begin() + at - 3, lines.begin() + at),
                  (std::vector<std::wstring>{L"", L"---", L""}));
        previous = at;
    }
    // The closing line follows the last separator and gives the contact address.
    EXPECT_EQ(lines[lines.size() - 3], L"---");
    EXPECT_NE(lines.back().find(L"suggestions@tamblo.example.com"), std::wstring::npos);
}

TEST(GuideText, HeadingsAreFollowedByTheirListsAndMenuPathsAreBackquoted) {
    const auto lines = GuideLines();
    const struct {
        const wchar_t* heading;
        const wchar_t* firstLinePrefix;
    } headings[] = {
        {L"Click Interval:", L"- "}, {L"Click Options:", L"- "},         {L"Click Position:", L"- "},
        {L"Repeat Mode:", L"- "},    {L"Starting and Stopping:", L"- "}, {L"Recording:", L"1.  "},
        {L"Playback:", L"1.  "},     {L"Playback Repeat:", L"- "},       {L"Important Notes:", L"- "},
    };
    for (const auto& h : headings) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(h.heading)));
        size_t at = IndexOf(lines, h.heading);
        ASSERT_LT(at + 1, lines.size());
        EXPECT_EQ(lines[at + 1].rfind(h.firstLinePrefix, 0), 0u) << testing::PrintToString(lines[at + 1]);
    }
    EXPECT_LT(IndexOf(lines, L"4.  The status bar shows the number of events recorded."), lines.size());
    for (const wchar_t* step : {L"    1. ", L"    2. ", L"    3. "}) {
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const auto& l) {
            return l.rfind(step, 0) == 0;
        })) << testing::PrintToString(std::wstring(step));
    }
    const std::wstring text = BuildGuideText();
    for (const wchar_t* quoted : {L"`File -> Settings`", L"`File -> Save Profile`", L"`File -> Load Profile`",
                                  L"`File -> New`", L"`.tmb`"}) {
        EXPECT_NE(text.find(quoted), std::wstring::npos) << testing::PrintToString(std::wstring(quoted));
    }
    EXPECT_EQ(std::count(text.begin(), text.end(), L'`') % 2, 0);
}

} // namespace
