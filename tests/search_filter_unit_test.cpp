// Finding destinations by typed words: case, width and kana fold alike, every
// word must occur in one of the three texts or, with a "/", start the menu
// name's pieces; rows come in bands by how the menu name answers the query,
// recent destinations first within a band. A query reached by typing it a
// character at a time, or by editing another, gives the rows of a fresh
// search.
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
    {L"Inbox", L"メール", L"\\mail"},        {L"営業部", L"営業部", L"\\s\\1"},
    {L"Clients", L"顧客", L"\\s\\2"},        {L"Work/ClientA", L"案件", L"\\s\\3"},
    {L"営業", L"営業", L"\\s\\4"},           {L"営業所", L"支店", L"\\s\\6"},
    {L"Uncle", L"叔父", L"\\s\\5"},          {L"支店/営業課", L"支店", L"\\s\\7"},
    {L"第一営業", L"第一", L"\\s\\8"},
};

} // namespace

TEST(SearchFilter, EveryWordFoldedInBandsAndRecentFirstWithinABand) {
    struct Row {
        const wchar_t* query;
        Positions expected;
        Positions recent = {}; // most recent first
        // The queries searched before this one, each from the one before.
        std::vector<const wchar_t*> before = {};
    };
    const Row rows[] = {
        {L"", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {L" \u3000 ", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        // An empty box: the recent ones first, most recent first.
        {L"", {9, 3, 0, 1, 2, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14}, {9, 3}},
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
        {L"work", {9, 2, 3}},
        {L"abc zzz", {}},
        {L"zzz", {}},
        // A word with "/" matches the menu name's pieces in order.
        {L"w/cl", {9}},
        {L"Ｗ／ＣＬ", {9}},
        {L"o/cl", {}},
        {L"cl/w", {}},
        // Bands: the whole name, the name's start, a later piece's start,
        // the rest; each in list order.
        {L"営業", {10, 7, 11, 13, 14}},
        {L" 営業\u3000", {10, 7, 11, 13, 14}},
        {L"cl", {8, 9, 12}},
        {L"inbox", {6, 0}},
        {L"見積", {5}},
        {L"商事 abc", {2}},
        {L"事 abc", {2}},
        // Recent ones first within their band, most recent first; one that
        // does not match stays out.
        {L"営業", {10, 11, 7, 13, 14}, {14, 11, 3, 7}},
        // Edited, not extended: a character taken off the end, one put in
        // its place, a blank put in the middle, the box emptied, a paste.
        {L"営業", {10, 7, 11, 13, 14}, {}, {L"営業所"}},
        {L"w/cl", {9}, {}, {L"w/c", L"w/cx"}},
        {L"l c", {8, 9, 12}, {}, {L"l", L"lc"}},
        {L"", {9, 3, 0, 1, 2, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14}, {9, 3}, {L"zzz"}},
        {L"abc", {2, 5}, {}, {L"a", L"azz", L"a"}},
        {L"ｶﾞｲ", {1}, {}, {L"ｶ", L"ｶﾞｲﾄﾞx"}},
        // Extended past a blank and a "/", a recent one kept first.
        {L"work/c", {9}, {9, 3}, {L"work", L"work/"}},
        {L"abc 請", {5}, {}, {L"abc", L"abc "}},
    };
    const std::vector<SearchKey> keys = MakeSearchKeys(kDestinations);
    ASSERT_EQ(keys.size(), kDestinations.size());
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << "query of " << std::wstring(row.query).size() << " characters, expecting "
                     << row.expected.size() << " after " << row.before.size() << " others");
        EXPECT_EQ(FilterDestinations(keys, row.query, row.recent), row.expected);
        // The query typed a character at a time into an empty box, then
        // after the others.
        const SearchIndex index = MakeSearchIndex(keys, row.recent);
        SearchResult typed = Search(index, L"", nullptr);
        const std::wstring query = row.query;
        for (std::size_t length = 1; length <= query.size(); ++length)
            typed = Search(index, query.substr(0, length), &typed);
        EXPECT_EQ(typed.rows, row.expected);
        SearchResult edited = Search(index, L"", nullptr);
        for (const wchar_t* other : row.before)
            edited = Search(index, other, &edited);
        EXPECT_EQ(Search(index, row.query, &edited).rows, row.expected);
    }
}
