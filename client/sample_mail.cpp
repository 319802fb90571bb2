#include "mail_store.h"

namespace {

constexpr char kMe[] = "中野 ひろし <hiroshi@example.jp>";

void AddFolders(MailStore& store) {
    const Folder folders[] = {
        {"\\個人", "個人", ""},
        {"\\個人\\受信箱", "受信箱", "\\個人"},
        {"\\個人\\受信箱\\家族", "家族", "\\個人\\受信箱"},
        {"\\個人\\受信箱\\趣味", "趣味", "\\個人\\受信箱"},
        {"\\個人\\送信済み", "送信済み", "\\個人"},
        {"\\個人\\ごみ箱", "ごみ箱", "\\個人"},
        {"\\仕事", "仕事", ""},
        {"\\仕事\\受信箱", "受信箱", "\\仕事"},
        {"\\仕事\\受信箱\\取引先", "取引先", "\\仕事\\受信箱"},
        // "ソ" ends in the byte of a backslash in code page 932.
        {"\\仕事\\受信箱\\ソフト開発", "ソフト開発", "\\仕事\\受信箱"},
        {"\\仕事\\Q&A", "Q&A", "\\仕事"},
        {"\\仕事\\保管", "保管", "\\仕事"},
        {"\\仕事\\保管\\2024年度", "2024年度", "\\仕事\\保管"},
        {"\\仕事\\送信済み", "送信済み", "\\仕事"},
    };
    for (const Folder& folder : folders)
        store.AddFolder(folder);
}

// Each mail's folder, sender, date, subject, body and message ID; every one
// is to me.
const char* const kMails[][6] = {
    {"\\仕事\\受信箱", "高木 健 <takagi@aoba.example.co.jp>", "2024/05/13 09:12",
     "お見積りの件（青葉システム）",
     "中野様\r\n\r\nいつもお世話になっております。青葉システムの高木です。\r\n"
     "ご依頼いただいた保守契約のお見積りを添付いたします。\r\n"
     "ご不明な点がございましたらお知らせください。\r\n\r\n高木",
     "<20240513091200.aoba-0412@aoba.example.co.jp>"},
    {"\\仕事\\受信箱", "北条 あかね <hojo@kohaku.example.jp>", "2024/05/13 11:40",
     "納品日程のご相談",
     "中野さん\r\n\r\nこはる工房の北条です。\r\n"
     "来週の納品ですが、水曜か木曜のご都合はいかがでしょうか。\r\n\r\n北条",
     "<kohaku.20240513.1140@kohaku.example.jp>"},
    {"\\仕事\\受信箱", "森下 俊介 <morishita@example.com>", "2024/05/14 17:05",
     "定例会議の議事録（5月14日）",
     "各位\r\n\r\n本日の定例会議の議事録をお送りします。\r\n"
     "1. 新製品の発表日程\r\n2. 夏季休暇の取得予定\r\n\r\n森下",
     "<minutes-0514@example.com>"},
    {"\\仕事\\受信箱", "高木 健 <takagi@aoba.example.co.jp>", "2024/05/15 10:02",
     "Re: お見積りの件（青葉システム）",
     "中野様\r\n\r\n早速のご返信ありがとうございます。\r\n"
     "ご指摘の項目を修正した見積書を改めてお送りします。\r\n\r\n高木",
     "<20240515100200.aoba-0419@aoba.example.co.jp>"},
    {"\\仕事\\受信箱", "総務部 <soumu@example.com>", "2024/05/16 08:30", "健康診断のお知らせ",
     "社員各位\r\n\r\n今年の健康診断は6月3日（月）に行います。\r\n"
     "問診票は前日までに提出してください。\r\n\r\n総務部",
     "<soumu-2024-health@example.com>"},
    {"\\仕事\\受信箱\\取引先", "経理担当 <keiri@kohaku.example.jp>", "2024/04/30 15:20",
     "請求書送付のお知らせ（4月分）",
     "中野様\r\n\r\n4月分の請求書をお送りいたします。\r\n"
     "お支払期限は5月31日です。\r\n\r\nこはる工房 経理担当",
     "<invoice-202404@kohaku.example.jp>"},
    {"\\仕事\\受信箱\\ソフト開発", "ビルド通知 <build@dev.example.com>", "2024/05/12 02:00",
     "夜間ビルド成功", "夜間ビルドが成功しました。\r\nテスト: 412件 成功、0件 失敗",
     "<nightly-0512@dev.example.com>"},
    {"\\仕事\\受信箱\\ソフト開発", "森下 俊介 <morishita@example.com>", "2024/05/14 13:45",
     "不具合報告: 表示が崩れる",
     "設定画面で長いフォルダ名を入れると表示が崩れます。\r\n再現手順を添付します。",
     "<bug-128@example.com>"},
    {"\\仕事\\保管\\2024年度", "総務部 <soumu@example.com>", "2024/04/01 09:00",
     "2024年度 組織変更のお知らせ", "社員各位\r\n\r\n4月1日付の組織変更をお知らせします。",
     "<soumu-2024-org@example.com>"},
    {"\\仕事\\送信済み", kMe, "2024/05/13 12:10", "Re: 納品日程のご相談",
     "北条さん\r\n\r\n木曜の午前でお願いします。\r\n\r\n中野", "<reply-0513@example.jp>"},
    {"\\個人\\受信箱", "佐倉 美月 <mizuki@example.jp>", "2024/05/11 20:15", "週末のバーベキュー",
     "ひろしさん\r\n\r\n土曜日のバーベキュー、11時に河川敷集合でどうでしょう？\r\n\r\n美月",
     "<bbq-0511@example.jp>"},
    {"\\個人\\受信箱", "オンライン書店 <info@books.example.com>", "2024/05/12 07:00",
     "ご注文の商品を発送しました",
     "ご注文ありがとうございます。\r\n本日、ご注文の商品を発送いたしました。",
     "<order-88231@books.example.com>"},
    {"\\個人\\受信箱", "写真サークル <photo@club.example.jp>", "2024/05/15 21:30",
     "写真展のお知らせ",
     "会員の皆さま\r\n\r\n6月の写真展の出品申込みを受け付けています。\r\n締切は5月末です。",
     "<photo-exhibit-06@club.example.jp>"},
    {"\\個人\\受信箱\\家族", "中野 さくら <sakura@example.jp>", "2024/05/10 18:02",
     "母の日のプレゼント",
     "お兄ちゃん\r\n\r\n母の日のプレゼント、二人でお花を贈ろうか。\r\n\r\nさくら",
     "<mothersday@example.jp>"},
    {"\\個人\\受信箱\\趣味", "写真サークル <photo@club.example.jp>", "2024/04/20 10:00",
     "4月の撮影会の写真", "撮影会の写真を共有フォルダに置きました。",
     "<photo-0420@club.example.jp>"},
    {"\\個人\\送信済み", kMe, "2024/05/11 22:40", "Re: 週末のバーベキュー",
     "美月さん\r\n\r\n了解です。飲み物を持っていきます。\r\n\r\nひろし", "<bbq-reply@example.jp>"},
};

} // namespace

MailStore SampleMailStore() {
    MailStore store;
    AddFolders(store);
    for (const auto& mail : kMails)
        store.AddMessage({0, mail[0], mail[1], kMe, mail[2], mail[3], mail[4], mail[5]});
    return store;
}
