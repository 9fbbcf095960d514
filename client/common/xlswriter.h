#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

namespace zerda {

// An Excel 97-2003 workbook (BIFF8) of one worksheet: a header row of captions in bold, then the
// rows. Numbers are written as numbers with their column's number format, texts as texts, dates
// as dates, Booleans as Booleans, NULLs as empty cells.
class XlsWorkbook {
public:
    enum class Kind { Text, Number, Date, DateTime, Boolean };
    static constexpr int kMaxRows = 65536;  // the header row included
    static constexpr int kMaxColumns = 256;
    static constexpr int kMaxTextLength = 255;  // characters of a text cell

    explicit XlsWorkbook(const QString& sheetName = QStringLiteral("Sayfa1"));

    // The number format is Excel's ("#,##0.00"); empty for General.
    void addColumn(const QString& caption, Kind kind, const QString& numberFormat = QString());
    // Values in column order: int, double, QString, QDate, QDateTime, bool or an invalid QVariant.
    void addRow(const QVariantList& values);

    int rowCount() const { return int(m_rows.size()); }
    // The "Workbook" stream of the file. Raises Error when the sheet is larger than the format
    // allows.
    QByteArray workbookStream() const;
    // Writes the compound file; raises Error when it can't.
    void save(const QString& path) const;

private:
    struct ColumnSpec {
        QString caption;
        Kind kind;
        QString format;
    };
    QString m_sheetName;
    QList<ColumnSpec> m_columns;
    QList<QVariantList> m_rows;
};

// The path an export is written to: the chosen name with its extension replaced by ".xls".
QString xlsPath(const QString& chosen);

}  // namespace zerda
