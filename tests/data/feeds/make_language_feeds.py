#!/usr/bin/env python3
"""Writes the lang_*.xml golden feeds: one small RSS 2.0 feed per language, in UTF-8 and in
the language's legacy character sets. Characters a character set lacks become numeric
character references, as a publishing tool would write them. Run from this folder; then
refresh the expected files with TARSEL_UPDATE_GOLDEN=1 and read them before committing."""

TEXTS = {
    "ru": ("Новости посёлка «Заря»", "Что случилось за неделю",
           "Открыт новый мост через реку",
           "Мост открыт для машин и пешеходов.",
           "Ярмарка пройдёт в субботу на главной площади, приходите всей семьёй за мёдом и хлебом."),
    "el": ("Ειδήσεις της πόλης", "Τι συνέβη αυτή την εβδομάδα",
           "Άνοιξε η νέα γέφυρα",
           "Η γέφυρα είναι ανοιχτή για αυτοκίνητα.",
           "Η αγορά θα γίνει το Σάββατο στην κεντρική πλατεία, ελάτε με όλη την οικογένεια για μέλι και ψωμί."),
    "zh": ("城镇新闻", "本周发生了什么", "新桥今天开通",
           "大桥已向汽车和行人开放。",
           "集市将于星期六在中央广场举行，欢迎全家一起来购买蜂蜜和面包，还有很多本地手工艺品和小吃等着大家来品尝，千万不要错过。"),
    "zh_hant": ("城鎮新聞", "本週發生了什麼", "新橋今天開通",
                "大橋已向汽車和行人開放。",
                "市集將於星期六在中央廣場舉行，歡迎全家一起來購買蜂蜜和麵包，還有很多本地手工藝品和小吃等著大家來品嚐，千萬不要錯過。"),
    "ja": ("町のニュース", "今週の出来事", "新しい橋が開通しました",
           "橋は車と歩行者に開放されています。",
           "土曜日に中央広場で市場が開かれます。家族みんなで蜂蜜とパンを買いに来てください。地元の工芸品もたくさんあります。"),
    "ar": ("أخبار البلدة", "ماذا حدث هذا الأسبوع", "افتتاح الجسر الجديد",
           "الجسر مفتوح للسيارات والمشاة.",
           "سيقام السوق يوم السبت في الساحة الرئيسية، تعالوا مع العائلة كلها لشراء العسل والخبز والكثير من الأشياء."),
    "he": ("חדשות העיירה", "מה קרה השבוע", "הגשר החדש נפתח",
           "הגשר פתוח למכוניות ולהולכי רגל.",
           "השוק יתקיים ביום שבת בכיכר המרכזית, בואו עם כל המשפחה לקנות דבש ולחם ועוד הרבה דברים טובים."),
}

# (file suffix, declared name, Python codec)
CHARSETS = {
    "ru": [("utf8", "utf-8", "utf-8"), ("cp1251", "windows-1251", "cp1251"),
           ("koi8r", "KOI8-R", "koi8_r")],
    "el": [("utf8", "utf-8", "utf-8"), ("iso88597", "iso-8859-7", "iso8859_7")],
    "zh": [("utf8", "utf-8", "utf-8"), ("gb2312", "gb2312", "gb2312")],
    "zh_hant": [("big5", "big5", "big5")],
    "ja": [("utf8", "utf-8", "utf-8"), ("shiftjis", "Shift_JIS", "shift_jis"),
           ("eucjp", "EUC-JP", "euc_jp")],
    "ar": [("utf8", "utf-8", "utf-8"), ("cp1256", "windows-1256", "cp1256")],
    "he": [("utf8", "utf-8", "utf-8"), ("cp1255", "windows-1255", "cp1255")],
}

TEMPLATE = """<?xml version="1.0" encoding="{encoding}"?>
<rss version="2.0"><channel>
<title>{channel_title}</title>
<link>http://{lang}.example.org/</link>
<description>{channel_description} &amp;#8212; &#x1F4F0;</description>
<item><title>{title}</title><link>http://{lang}.example.org/1</link>
<description>&lt;p dir="auto"&gt;{text} &lt;b&gt;{title}&lt;/b&gt;&lt;/p&gt;</description>
<pubDate>Mon, 05 Jan 2004 10:20:30 GMT</pubDate></item>
<item><link>http://{lang}.example.org/2</link>
<description><![CDATA[{long_text}]]></description>
<pubDate>Tue, 06 Jan 2004 09:00:00 GMT</pubDate></item>
</channel></rss>
"""

for lang, (channel_title, channel_description, title, text, long_text) in TEXTS.items():
    for suffix, declared, codec in CHARSETS[lang]:
        xml = TEMPLATE.format(encoding=declared, lang=lang, channel_title=channel_title,
                              channel_description=channel_description, title=title, text=text,
                              long_text=long_text)
        name = f"lang_{lang}_{suffix}"
        with open(name + ".xml", "wb") as out:
            out.write(xml.encode(codec, errors="xmlcharrefreplace"))
        with open(name + ".args", "w") as out:
            out.write("--encoding automatic\n")
