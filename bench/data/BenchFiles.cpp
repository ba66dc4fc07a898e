#include "BenchFiles.h"

#include <platform/Cp932.h>
#include <platform/FileReplacement.h>

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace benchfiles {

namespace {

// A new version of a file's contents takes a new name, so that no stale file is read.
QString cached(const QString& name, const std::function<bool(platform::FileReplacement&)>& make) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                           u"/penlark-bench"_s;
    QDir().mkpath(folder);
    QString path = folder + u'/' + name;
    // Files are only ever put in place whole, so one that exists is complete.
    if (QFileInfo::exists(path))
        return path;
    platform::FileReplacement file(path);
    if (!make(file) || !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return {};
    }
    return path;
}

std::vector<QByteArray> encodeAll(std::initializer_list<QString> texts) {
    std::vector<QByteArray> encoded;
    for (const QString& text : texts)
        encoded.push_back(platform::cp932::encode(text));
    return encoded;
}

struct Name {
    QByteArray written;
    QByteArray reading;
};

std::vector<Name> names(std::initializer_list<std::pair<QString, QString>> pairs) {
    std::vector<Name> result;
    for (const auto& [written, reading] : pairs)
        result.push_back({platform::cp932::encode(written), platform::cp932::encode(reading)});
    return result;
}

// Rows of orders, made from fixed tables by a seeded generator; raw draws only, since the
// standard distributions differ between libraries.
class CsvRows {
public:
    QByteArray header() const {
        return platform::cp932::encode(
            u"受注番号,受注日,氏名,フリガナ,郵便番号,住所,電話番号,金額,数量\r\n"_s);
    }

    void appendRow(QByteArray& out) {
        char number[32];
        out.append(number, std::snprintf(number, sizeof number, "%08lld,", 10000001 + m_row++));
        const QDate date = QDate(2015, 1, 1).addDays(static_cast<qint64>(draw(3650)));
        out.append(number, std::snprintf(number, sizeof number, "%04d/%02d/%02d,", date.year(),
                                         date.month(), date.day()));
        const Name& family = m_families[draw(m_families.size())];
        const Name& given = m_givens[draw(m_givens.size())];
        out += family.written + m_wideSpace + given.written + ',';
        out += family.reading + ' ' + given.reading + ',';
        out.append(number,
                   std::snprintf(number, sizeof number, "%03u-%04u,", draw(1000), draw(10000)));
        out += m_prefectures[draw(m_prefectures.size())] + m_cities[draw(m_cities.size())] +
               m_towns[draw(m_towns.size())];
        out.append(number, std::snprintf(number, sizeof number, "%u-%u-%u", 1 + draw(9),
                                         1 + draw(30), 1 + draw(20)));
        if (draw(4) == 0)
            out += m_buildings[draw(m_buildings.size())] +
                   QByteArray::number(100 * (1 + draw(9)) + 1 + draw(12)) + m_roomSuffix;
        out.append(number,
                   std::snprintf(number, sizeof number, ",0%u0-%04u-%04u,%u,%u\r\n", 7 + draw(3),
                                 draw(10000), draw(10000), 100 * (1 + draw(5000)), 1 + draw(20)));
    }

private:
    unsigned draw(size_t range) { return static_cast<unsigned>(m_random() % range); }

    std::mt19937_64 m_random{20240523};
    long long m_row = 0;
    QByteArray m_wideSpace = platform::cp932::encode(u"　"_s);
    QByteArray m_roomSuffix = platform::cp932::encode(u"号室"_s);
    std::vector<Name> m_families = names({
        {u"佐藤"_s, u"ｻﾄｳ"_s},   {u"鈴木"_s, u"ｽｽﾞｷ"_s},  {u"高橋"_s, u"ﾀｶﾊｼ"_s},
        {u"田中"_s, u"ﾀﾅｶ"_s},   {u"伊藤"_s, u"ｲﾄｳ"_s},   {u"渡辺"_s, u"ﾜﾀﾅﾍﾞ"_s},
        {u"山本"_s, u"ﾔﾏﾓﾄ"_s},  {u"中村"_s, u"ﾅｶﾑﾗ"_s},  {u"小林"_s, u"ｺﾊﾞﾔｼ"_s},
        {u"加藤"_s, u"ｶﾄｳ"_s},   {u"吉田"_s, u"ﾖｼﾀﾞ"_s},  {u"山田"_s, u"ﾔﾏﾀﾞ"_s},
        {u"佐々木"_s, u"ｻｻｷ"_s}, {u"山口"_s, u"ﾔﾏｸﾞﾁ"_s}, {u"松本"_s, u"ﾏﾂﾓﾄ"_s},
        {u"井上"_s, u"ｲﾉｳｴ"_s},  {u"木村"_s, u"ｷﾑﾗ"_s},   {u"長谷川"_s, u"ﾊｾｶﾞﾜ"_s},
        {u"齋藤"_s, u"ｻｲﾄｳ"_s},  {u"髙橋"_s, u"ﾀｶﾊｼ"_s},
    });
    std::vector<Name> m_givens = names({
        {u"太郎"_s, u"ﾀﾛｳ"_s},
        {u"花子"_s, u"ﾊﾅｺ"_s},
        {u"翔太"_s, u"ｼｮｳﾀ"_s},
        {u"美咲"_s, u"ﾐｻｷ"_s},
        {u"大輔"_s, u"ﾀﾞｲｽｹ"_s},
        {u"陽菜"_s, u"ﾋﾅ"_s},
        {u"健一"_s, u"ｹﾝｲﾁ"_s},
        {u"由美子"_s, u"ﾕﾐｺ"_s},
        {u"誠"_s, u"ﾏｺﾄ"_s},
        {u"蓮"_s, u"ﾚﾝ"_s},
        {u"結衣"_s, u"ﾕｲ"_s},
        {u"浩二"_s, u"ｺｳｼﾞ"_s},
        {u"直樹"_s, u"ﾅｵｷ"_s},
        {u"さくら"_s, u"ｻｸﾗ"_s},
        {u"恵"_s, u"ﾒｸﾞﾐ"_s},
    });
    std::vector<QByteArray> m_prefectures =
        encodeAll({u"北海道"_s, u"青森県"_s, u"宮城県"_s, u"東京都"_s, u"神奈川県"_s, u"埼玉県"_s,
                   u"千葉県"_s, u"愛知県"_s, u"京都府"_s, u"大阪府"_s, u"兵庫県"_s, u"広島県"_s,
                   u"福岡県"_s, u"熊本県"_s, u"沖縄県"_s});
    std::vector<QByteArray> m_cities =
        encodeAll({u"札幌市中央区"_s, u"仙台市青葉区"_s, u"新宿区"_s, u"世田谷区"_s,
                   u"横浜市港北区"_s, u"さいたま市浦和区"_s, u"船橋市"_s, u"名古屋市中村区"_s,
                   u"京都市左京区"_s, u"大阪市北区"_s, u"堺市堺区"_s, u"神戸市中央区"_s,
                   u"広島市南区"_s, u"福岡市博多区"_s, u"那覇市"_s});
    std::vector<QByteArray> m_towns =
        encodeAll({u"本町"_s, u"栄町"_s, u"緑が丘"_s, u"桜木町"_s, u"旭町"_s, u"中央"_s, u"東雲"_s,
                   u"若葉台"_s, u"西新"_s, u"梅田"_s, u"錦"_s, u"春日"_s});
    std::vector<QByteArray> m_buildings =
        encodeAll({u"　ハイツ青葉"_s, u"　メゾン桜"_s, u"　グランドパレス"_s, u"　コーポ富士"_s});
};

} // namespace

QString largeTextFile() {
    return cached(u"prose-50mb-v1.txt"_s, [](platform::FileReplacement& file) {
        const QString lines[] = {
            u"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"_s,
            u"The quick brown fox jumps over the lazy dog; 0123456789 (ASCII)."_s,
            u"第3章　ＵＴＦ－１６とShift_JISの変換について、検討した。ｶﾀｶﾅ"_s,
            u"    if (value > 0) { return \"結果\"; } // コメント：値を返す"_s,
        };
        QString block;
        for (int i = 0; i < 1000; ++i)
            block += lines[i % 4] + u"\r\n"_s;
        const QByteArray bytes = platform::cp932::encode(block);
        for (qint64 written = 0; written < 50'000'000; written += bytes.size()) {
            if (!file.write(bytes))
                return false;
        }
        return true;
    });
}

QString largeCsvFile() {
    return cached(u"orders-500mb-v1.csv"_s, [](platform::FileReplacement& file) {
        CsvRows rows;
        QByteArray chunk = rows.header();
        qint64 written = 0;
        while (written < 500'000'000) {
            rows.appendRow(chunk);
            if (chunk.size() >= (1 << 20)) {
                if (!file.write(chunk))
                    return false;
                written += chunk.size();
                chunk.clear();
            }
        }
        return file.write(chunk);
    });
}

} // namespace benchfiles
