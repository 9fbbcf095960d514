// The grid over a 100,000-row data set: attaching the data set and scrolling to the end, each
// until the grid has been painted.
#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <vector>

#include "grid.h"
#include "utils.h"

using namespace zerda;

namespace {

DataTable rows(int count) {
    DataTable t;
    const QList<std::pair<const char*, DbxType>> columns = {{"STOK_STOKNO", DbxType::Int32},
                                                            {"BARKOD", DbxType::WideString},
                                                            {"ADI", DbxType::WideString},
                                                            {"MARKA", DbxType::WideString},
                                                            {"MODEL", DbxType::WideString},
                                                            {"FIYAT", DbxType::Double},
                                                            {"NETFIYAT", DbxType::Double},
                                                            {"DURUM", DbxType::Int32},
                                                            {"K", DbxType::Int32}};
    for (const auto& [name, type] : columns) {
        ColumnInfo info;
        info.name = QLatin1String(name);
        info.type = type;
        t.addColumn(info);
    }
    for (int r = 0; r < count; ++r)
        for (int c = 0; c < t.columnCount(); ++c) {
            Column& column = t.column(c);
            switch (column.storage()) {
                case Column::Storage::Integer:
                    column.appendInteger(r % 6);
                    break;
                case Column::Storage::Real:
                    column.appendReal(r * 1.25);
                    break;
                case Column::Storage::Text:
                    column.appendText(QStringLiteral("YAĞ FİLTRESİ %1").arg(r));
                    break;
            }
        }
    t.finishColumns();
    return t;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    ClientDataSet ds;
    ds.setData(rows(100000));
    FormatAyarla(ds);
    TcxGrid grid(QStringLiteral("cxGrid1"), QStringLiteral("cxGrid1DBTableView1"));
    for (int i = 0; i < ds.FieldCount(); ++i)
        grid.view()->addColumn(QStringLiteral("kolon%1").arg(i), ds.fieldInfo(i).name,
                               ds.fieldInfo(i).name, 1);
    grid.resize(1300, 600);
    grid.show();
    QApplication::processEvents();

    std::vector<double> attach, scroll;
    for (int i = 0; i < repetitions; ++i) {
        grid.view()->setDataSet(nullptr);
        grid.view()->scrollToTop();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        grid.view()->setDataSet(&ds);
        grid.repaint();
        attach.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        grid.view()->scrollToBottom();
        grid.repaint();
        scroll.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(attach.begin(), attach.end());
    std::sort(scroll.begin(), scroll.end());
    QTextStream(stdout) << QStringLiteral(
                               "Izgara, %1 satır, %2 tekrar: bağlama ortanca %3 ms (en kötü %4), "
                               "sona kaydırma ortanca %5 ms (en kötü %6)\n")
                               .arg(ds.RecordCount())
                               .arg(repetitions)
                               .arg(attach[attach.size() / 2], 0, 'f', 1)
                               .arg(attach.back(), 0, 'f', 1)
                               .arg(scroll[scroll.size() / 2], 0, 'f', 1)
                               .arg(scroll.back(), 0, 'f', 1);
    return 0;
}
