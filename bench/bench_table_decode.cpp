// Decoding a table reply of 10,000 rows and 40 columns into the client data set, beside a bare
// JSON parse of the same bytes (Qt's parser and RapidJSON's document parser), in one run.
#include <rapidjson/document.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QTextStream>
#include <algorithm>
#include <vector>

#include "clientdataset.h"
#include "wire.h"

using namespace zerda;

namespace {

constexpr int kRows = 10000;

// Columns like those of a stock list: codes and names, prices and rates, flags and counts.
DataTable stockLikeTable() {
    const QList<std::pair<const char*, DbxType>> columns = {
        {"STOK_STOKNO", DbxType::Int32},
        {"BARKOD", DbxType::WideString},
        {"ADI", DbxType::WideString},
        {"FINISHKOD", DbxType::WideString},
        {"URETICIKODU", DbxType::WideString},
        {"OEMNO", DbxType::WideString},
        {"OEM1", DbxType::WideString},
        {"OEM2", DbxType::WideString},
        {"OEM3", DbxType::WideString},
        {"OEM4", DbxType::WideString},
        {"DIGERADI", DbxType::WideString},
        {"DPKOD", DbxType::WideString},
        {"PKOD", DbxType::WideString},
        {"BARKOD_BARKODNO", DbxType::WideString},
        {"MARKA", DbxType::WideString},
        {"MODEL", DbxType::WideString},
        {"ANAGRUP", DbxType::WideString},
        {"OZELKOD", DbxType::WideString},
        {"BIRIM", DbxType::WideString},
        {"KALAN", DbxType::Double},
        {"ALINANSIPARIS", DbxType::Double},
        {"VERILENSIPARIS", DbxType::Double},
        {"DURUM", DbxType::Int32},
        {"RESIM", DbxType::Int32},
        {"Y", DbxType::Int32},
        {"K", DbxType::Int32},
        {"KDV", DbxType::Double},
        {"LISTEFIYAT1", DbxType::Double},
        {"KAMPFIYAT", DbxType::Double},
        {"FIYAT", DbxType::Double},
        {"IND1", DbxType::Double},
        {"IND2", DbxType::Double},
        {"IND3", DbxType::Double},
        {"IND4", DbxType::Double},
        {"INDIRIMYAZI", DbxType::WideString},
        {"NETFIYAT", DbxType::Double},
        {"KDVDAHIL", DbxType::Double},
        {"GUNCELLEME", DbxType::Date},
        {"ACIKLAMA", DbxType::WideString},
        {"STOKTA", DbxType::Boolean},
    };
    DataTable t;
    for (const auto& [name, type] : columns) {
        ColumnInfo info;
        info.name = QLatin1String(name);
        info.type = type;
        t.addColumn(info);
    }
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < t.columnCount(); ++c) {
            Column& column = t.column(c);
            if (r % 17 == c % 17 && c > 0) {
                column.appendNull();
                continue;
            }
            switch (column.info().type) {
                case DbxType::Int32:
                    column.appendInteger((r * 31 + c) % 6);
                    break;
                case DbxType::Double:
                    column.appendReal(((r * 37 + c * 11) % 100000) / 100.0);
                    break;
                case DbxType::Date:
                    column.appendReal(46000 + r % 365);
                    break;
                case DbxType::Boolean:
                    column.appendInteger(r % 2);
                    break;
                default:
                    column.appendText(QStringLiteral("FREN BALATASI ÖN %1 ŞĞÜ %2").arg(r).arg(c));
                    break;
            }
        }
    }
    t.finishColumns();
    return t;
}

struct Timing {
    double median;
    double best;
};

template <class F>
Timing measure(int repetitions, F&& work) {
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    // A second argument runs one part only (none, qt, rapid, decode), for instruction counts.
    const QString only = argc > 2 ? QString::fromLatin1(argv[2]) : QString();
    auto runs = [&](const char* part) { return only.isEmpty() || only == QLatin1String(part); };

    ReplyWriter writer;
    stockLikeTable().writeJson(writer.out());
    const QByteArray bytes = writer.finishBytes();

    qsizetype sink = 0;
    const Timing qtParse = measure(runs("qt") ? repetitions : 1, [&] {
        if (runs("qt"))
            sink += QJsonDocument::fromJson(bytes).object().size();
    });
    const Timing rapidParse = measure(runs("rapid") ? repetitions : 1, [&] {
        if (!runs("rapid"))
            return;
        rapidjson::Document document;
        document.Parse(bytes.constData(), size_t(bytes.size()));
        sink += document.IsObject() ? 1 : 0;
    });
    ClientDataSet dataSet;
    const Timing decode = measure(runs("decode") ? repetitions : 1, [&] {
        if (!runs("decode"))
            return;
        // The body as it comes from the connection, read where it stands.
        std::string body(bytes.constData(), size_t(bytes.size()));
        std::vector<ReplyValue> values = decodeReplyInPlace(body, {Kind::DataPacket});
        dataSet.DisableControls();
        dataSet.setData(std::move(std::get<DataTable>(values[0])));
        dataSet.EnableControls();
        sink += dataSet.RecordCount();
    });
    if (dataSet.RecordCount() != kRows || dataSet.FieldCount() != 40)
        return 1;

    QTextStream out(stdout);
    auto line = [&](const QString& what, const Timing& t) {
        out << QStringLiteral("  %1 ortanca %2 ms, en iyi %3 ms\n")
                   .arg(what, -34)
                   .arg(t.median, 0, 'f', 1)
                   .arg(t.best, 0, 'f', 1);
    };
    out << QStringLiteral("Tablo yanıtı: %1 satır x %2 sütun, %3 bayt, %4 tekrar\n")
               .arg(kRows)
               .arg(40)
               .arg(bytes.size())
               .arg(repetitions);
    line(QStringLiteral("çıplak çözümleme, Qt JSON"), qtParse);
    line(QStringLiteral("çıplak çözümleme, RapidJSON DOM"), rapidParse);
    line(QStringLiteral("veri kümesine çözme"), decode);
    out << QStringLiteral("  oran (en iyi süreler): Qt JSON'a göre %1, RapidJSON DOM'a göre %2\n")
               .arg(decode.best / qtParse.best, 0, 'f', 2)
               .arg(decode.best / rapidParse.best, 0, 'f', 2);
    return sink > 0 ? 0 : 1;
}
