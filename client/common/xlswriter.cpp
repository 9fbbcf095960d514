#include "xlswriter.h"

#include <gsf/gsf-infile.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

#include <QDateTime>
#include <QFileInfo>
#include <QtEndian>
#include <cstring>

#include "errors.h"
#include "tdate.h"

namespace zerda {

namespace {

// Record identifiers of the BIFF8 format.
enum Record : quint16 {
    kBof = 0x0809,
    kEof = 0x000A,
    kCodepage = 0x0042,
    kWindow1 = 0x003D,
    kFont = 0x0031,
    kFormat = 0x041E,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kBoundSheet = 0x0085,
    kDimensions = 0x0200,
    kWindow2 = 0x023E,
    kColInfo = 0x007D,
    kNumber = 0x0203,
    kLabel = 0x0204,
    kBoolErr = 0x0205,
};

constexpr int kFirstCustomFormat = 164;
constexpr int kStyleXfs = 15;  // XF 0-14 are styles, 15 the default cell format
constexpr int kBoldFont = 5;   // font index 4 does not exist in the format

class Bytes {
public:
    void u8(quint8 v) { m_data.append(char(v)); }
    void u16(quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        m_data.append(b, 2);
    }
    void u32(quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        m_data.append(b, 4);
    }
    void f64(double v) {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        char b[8];
        qToLittleEndian(bits, b);
        m_data.append(b, 8);
    }
    // A string in UTF-16LE with its character count in one or two bytes and a flags byte.
    void text(const QString& s, bool shortCount) {
        if (shortCount)
            u8(quint8(s.size()));
        else
            u16(quint16(s.size()));
        u8(0x01);
        for (QChar c : s)
            u16(c.unicode());
    }
    const QByteArray& data() const { return m_data; }
    qsizetype size() const { return m_data.size(); }

private:
    QByteArray m_data;
};

class Stream {
public:
    void record(quint16 id, const Bytes& body) {
        m_bytes.u16(id);
        m_bytes.u16(quint16(body.size()));
        m_out.append(m_bytes.data());
        m_bytes = Bytes();
        m_out.append(body.data());
    }
    qsizetype size() const { return m_out.size(); }
    QByteArray& data() { return m_out; }

private:
    Bytes m_bytes;
    QByteArray m_out;
};

Bytes bof(quint16 type) {
    Bytes b;
    b.u16(0x0600);  // BIFF8
    b.u16(type);
    b.u16(0x0DBB);
    b.u16(0x07CC);
    b.u32(0);
    b.u32(0x00000006);
    return b;
}

Bytes font(bool bold) {
    Bytes b;
    b.u16(200);  // 10 points, in twentieths
    b.u16(0);
    b.u16(0x7FFF);
    b.u16(bold ? 700 : 400);
    b.u16(0);
    b.u8(0);
    b.u8(0);
    b.u8(162);  // Turkish character set
    b.u8(0);
    b.text(QStringLiteral("Arial"), true);
    return b;
}

Bytes xf(quint16 fontIndex, quint16 format, bool style) {
    Bytes b;
    b.u16(fontIndex);
    b.u16(format);
    b.u16(style ? 0xFFF5 : 0x0001);  // locked; a style has no parent, a cell format has style 0
    b.u8(0x20);                      // bottom-aligned
    b.u8(0);
    b.u8(0);
    b.u8(style ? 0x00
               : 0xF8);  // a cell format carries its own format, font, alignment, borders, fill
    b.u32(0);
    b.u32(0);
    b.u16(0x20C0);  // automatic colours
    return b;
}

QString truncated(const QString& text) {
    return text.size() > XlsWorkbook::kMaxTextLength ? text.left(XlsWorkbook::kMaxTextLength)
                                                     : text;
}

}  // namespace

XlsWorkbook::XlsWorkbook(const QString& sheetName) : m_sheetName(truncated(sheetName).left(31)) {}

void XlsWorkbook::addColumn(const QString& caption, Kind kind, const QString& numberFormat) {
    m_columns.append({caption, kind, numberFormat});
}

void XlsWorkbook::addRow(const QVariantList& values) {
    m_rows.append(values);
}

QByteArray XlsWorkbook::workbookStream() const {
    if (m_rows.size() + 1 > kMaxRows)
        throw Error(
            QStringLiteral("Excel 97-2003 dosyası en çok %1 satır alır; bu tabloda %2 satır var")
                .arg(kMaxRows - 1)
                .arg(m_rows.size()));
    if (m_columns.size() > kMaxColumns)
        throw Error(QStringLiteral("Excel 97-2003 dosyası en çok %1 sütun alır").arg(kMaxColumns));

    // Number formats of the columns, one record each distinct format.
    QStringList formats;
    QList<int> columnFormat;
    for (const ColumnSpec& c : m_columns) {
        QString format = c.format;
        if (c.kind == Kind::Date)
            format = QStringLiteral("dd.mm.yyyy");
        else if (c.kind == Kind::DateTime)
            format = QStringLiteral("dd.mm.yyyy hh:mm");
        if (format.isEmpty()) {
            columnFormat << 0;
            continue;
        }
        qsizetype at = formats.indexOf(format);
        if (at < 0) {
            formats << format;
            at = formats.size() - 1;
        }
        columnFormat << kFirstCustomFormat + int(at);
    }

    Stream globals;
    globals.record(kBof, bof(0x0005));
    Bytes codepage;
    codepage.u16(1200);  // UTF-16
    globals.record(kCodepage, codepage);
    Bytes window;
    for (quint16 v : {0, 0, 0x4000, 0x2000, 0x0038, 0, 0, 1, 0x0258})
        window.u16(v);
    globals.record(kWindow1, window);
    for (int i = 0; i < 4; ++i)
        globals.record(kFont, font(false));
    globals.record(kFont, font(true));  // index 5
    for (int i = 0; i < formats.size(); ++i) {
        Bytes f;
        f.u16(quint16(kFirstCustomFormat + i));
        f.text(formats[i], false);
        globals.record(kFormat, f);
    }
    for (int i = 0; i < kStyleXfs; ++i)
        globals.record(kXf, xf(0, 0, true));
    globals.record(kXf, xf(0, 0, false));          // 15: the default cell format
    globals.record(kXf, xf(kBoldFont, 0, false));  // 16: captions
    QList<int> columnXf;
    for (int i = 0; i < m_columns.size(); ++i) {  // 17 on: one per column
        globals.record(kXf, xf(0, quint16(columnFormat[i]), false));
        columnXf << 17 + i;
    }
    Bytes style;
    style.u16(0x8000);
    style.u8(0);
    style.u8(0xFF);
    globals.record(kStyle, style);
    // The sheet's position is known only once the list of sheets is written: patch it in after.
    Bytes sheet;
    sheet.u32(0);
    sheet.u16(0);
    sheet.text(m_sheetName, true);
    const qsizetype positionAt = globals.size() + 4;
    globals.record(kBoundSheet, sheet);
    globals.record(kEof, Bytes());
    QByteArray stream = globals.data();
    qToLittleEndian(quint32(stream.size()), stream.data() + positionAt);

    Stream ws;
    ws.record(kBof, bof(0x0010));
    Bytes dimensions;
    dimensions.u32(0);
    dimensions.u32(quint32(m_rows.size() + 1));
    dimensions.u16(0);
    dimensions.u16(quint16(m_columns.size()));
    dimensions.u16(0);
    ws.record(kDimensions, dimensions);
    Bytes window2;
    for (quint16 v : {0x06B6, 0, 0, 0x40, 0, 0, 0, 0, 0})
        window2.u16(v);
    ws.record(kWindow2, window2);
    for (int c = 0; c < m_columns.size(); ++c) {
        Bytes info;  // a width that shows money and dates, in 1/256 of a character
        info.u16(quint16(c));
        info.u16(quint16(c));
        info.u16(quint16(
            std::max<qsizetype>(10, std::min<qsizetype>(50, m_columns[c].caption.size() + 2)) *
            256));
        info.u16(quint16(columnXf[c]));
        info.u16(0);
        info.u16(0);
        ws.record(kColInfo, info);
    }
    auto label = [&](int row, int column, int xfIndex, const QString& text) {
        Bytes b;
        b.u16(quint16(row));
        b.u16(quint16(column));
        b.u16(quint16(xfIndex));
        b.text(truncated(text), false);
        ws.record(kLabel, b);
    };
    auto number = [&](int row, int column, int xfIndex, double value) {
        Bytes b;
        b.u16(quint16(row));
        b.u16(quint16(column));
        b.u16(quint16(xfIndex));
        b.f64(value);
        ws.record(kNumber, b);
    };
    for (int c = 0; c < m_columns.size(); ++c)
        label(0, c, 16, m_columns[c].caption);
    for (int r = 0; r < m_rows.size(); ++r) {
        const QVariantList& row = m_rows[r];
        for (int c = 0; c < m_columns.size() && c < row.size(); ++c) {
            const QVariant& v = row[c];
            if (!v.isValid() || v.isNull())
                continue;
            switch (m_columns[c].kind) {
                case Kind::Text:
                    label(r + 1, c, columnXf[c], v.toString());
                    break;
                case Kind::Number:
                    number(r + 1, c, columnXf[c], v.toDouble());
                    break;
                case Kind::Date:
                    number(r + 1, c, columnXf[c],
                           v.typeId() == QMetaType::QDate ? dayNumberFromDate(v.toDate())
                                                          : dayNumberFromDateTime(v.toDateTime()));
                    break;
                case Kind::DateTime:
                    number(r + 1, c, columnXf[c], dayNumberFromDateTime(v.toDateTime()));
                    break;
                case Kind::Boolean: {
                    Bytes b;
                    b.u16(quint16(r + 1));
                    b.u16(quint16(c));
                    b.u16(quint16(columnXf[c]));
                    b.u8(v.toBool() ? 1 : 0);
                    b.u8(0);
                    ws.record(kBoolErr, b);
                    break;
                }
            }
        }
    }
    ws.record(kEof, Bytes());
    stream.append(ws.data());
    return stream;
}

void XlsWorkbook::save(const QString& path) const {
    const QByteArray stream = workbookStream();
    static const bool initialised = [] {
        gsf_init();
        return true;
    }();
    Q_UNUSED(initialised);
    GError* error = nullptr;
    GsfOutput* file = gsf_output_stdio_new(QFile::encodeName(path).constData(), &error);
    if (!file) {
        const QString reason = error ? QString::fromUtf8(error->message) : QString();
        if (error)
            g_error_free(error);
        throw Error(QStringLiteral("%1 yazılamadı: %2").arg(path, reason));
    }
    GsfOutfile* compound = gsf_outfile_msole_new(file);
    GsfOutput* workbook = gsf_outfile_new_child(compound, "Workbook", FALSE);
    const bool written = gsf_output_write(workbook, size_t(stream.size()),
                                          reinterpret_cast<const guint8*>(stream.constData()));
    const bool closed = gsf_output_close(workbook) && gsf_output_close(GSF_OUTPUT(compound));
    g_object_unref(workbook);
    g_object_unref(compound);
    // Closing the compound file closes the file beneath it, unless that went wrong.
    const bool fileClosed = gsf_output_is_closed(file) || gsf_output_close(file);
    g_object_unref(file);
    if (!written || !closed || !fileClosed)
        throw Error(
            QStringLiteral("%1 yazılamadı (disk dolu ya da dosya kullanımda olabilir)").arg(path));
}

QString xlsPath(const QString& chosen) {
    const QFileInfo info(chosen);
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return chosen + QStringLiteral(".xls");
    return chosen.left(chosen.size() - suffix.size()) + QStringLiteral("xls");
}

}  // namespace zerda
