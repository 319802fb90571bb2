// Finding destinations by typed words: case, width and kana fold alike, every
// word must occur in one of the three texts, and names that start with the
// first word come first.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog/search_filter.h"

namespace {

using Positions = std::vector<std::size_t>;

const std::vector<SearchFields> kDestinations = {
    {L"受信箱", L"受信箱", L"\\Inbox"},      {L"ガイド", L"案内", L"\\Guide"},
    {L"ABC商事", L"取引先", L"\\Work\\abc"}, {L"トリヒキサキ", L"仕事", L"\\Work\\torihiki"},
    {L"ｼｮｳｼﾞ", L"半角", L"\\Half"},          {L"見積 abc", L"ＡＢＣ請求", L"\\Quote"},
    {L"Inbox", L"メール", L"\\mail"},
};

} // namespace

TEST(SearchFilter, EveryWordFoldedAndNamesStartingWithTheFirstWordFirst) {
    struct Row {
        const wchar_t* query;
        Positions expected;
    };
    const Row rows[] = {
        {L"", {0, 1, 2, 3, 4, 5, 6}},
        {L" \u3000 ", {0, 1, 2, 3, 4, 5, 6}},
        // Case and width.
        {L"abc", {2, 5}},
        {L"ＡＢＣ", {2, 5}},
        {L"aBc請求", {5}},
        // Kana: hiragana finds katakana, full-width finds half-width, and
        // back; a voiced sound mark folds with its letter.
        {L"とりひき", {3}},
        {L"ﾄﾘﾋｷ", {3}},
        {L"しょうじ", {4}},
        {L"ショウジ", {4}},
        {L"がいど", {1}},
        {L"ｶﾞｲﾄﾞ", {1}},
        // Several words, split at half- and full-width blanks, each in any
        // of the three texts.
        {L"abc 請求", {5}},
        {L"請求\u3000ABC", {5}},
        {L"仕事 torihiki", {3}},
        {L"work", {2, 3}},
        {L"abc zzz", {}},
        {L"zzz", {}},
        // Order: a menu name that starts with the first word comes first,
        // then the others, each in list order.
        {L"inbox", {6, 0}},
        {L"見積", {5}},
        {L"商事 abc", {2}},
        {L"事 abc", {2}},
    };
    const std::vector<SearchKey> keys = MakeSearchKeys(kDestinations);
    ASSERT_EQ(keys.size(), kDestinations.size());
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "query of " << std::wstring(row.query).size()
                                        << " characters, expecting " << row.expected.size());
        EXPECT_EQ(FilterDestinations(keys, row.query), row.expected);
    }
}
