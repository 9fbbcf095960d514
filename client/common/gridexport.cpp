#include "gridexport.h"

#include <QFileDialog>
#include <optional>

#include "grid.h"
#include "xlswriter.h"

namespace zerda {

namespace {

std::optional<QString>& nextSaveFileName() {
    static std::optional<QString> name;
    return name;
}

XlsWorkbook::Kind kindOf(DbxType type) {
    switch (type) {
        case DbxType::Int32:
        case DbxType::Int64:
        case DbxType::Double:
            return XlsWorkbook::Kind::Number;
        case DbxType::Date:
            return XlsWorkbook::Kind::Date;
        case DbxType::DateTime:
            return XlsWorkbook::Kind::DateTime;
        case DbxType::Boolean:
            return XlsWorkbook::Kind::Boolean;
        case DbxType::AnsiString:
        case DbxType::WideString:
            break;
    }
    return XlsWorkbook::Kind::Text;
}

}  // namespace

void exportGridToExcel(TcxGridView* view, const QString& path) {
    XlsWorkbook book;
    const ClientDataSet* ds = view->dataSet();
    const QList<GridColumn*> columns = view->visibleColumns();
    QList<int> fields;
    for (GridColumn* c : columns) {
        const int field = ds && !c->fieldName.isEmpty() ? ds->FieldIndex(c->fieldName) : -1;
        fields << field;
        const QString caption = c->caption.isEmpty() ? c->fieldName : c->caption;
        if (field < 0) {
            book.addColumn(caption, XlsWorkbook::Kind::Text);
            continue;
        }
        const DbxType type = ds->fieldInfo(field).type;
        // Integers keep no decimals; doubles carry the grid's display format.
        const QString format = type == DbxType::Double ? ds->displayFormat(field) : QString();
        book.addColumn(caption, kindOf(type), format);
    }
    const int rows = view->model()->rowCount();
    for (int r = 0; r < rows; ++r) {
        const int row = view->dataSetRow(r);
        QVariantList values;
        for (int field : fields)
            values << (field >= 0 ? ds->cell(row, field) : QVariant());
        book.addRow(values);
    }
    book.save(path);
}

void setNextSaveFileName(const QString& name) {
    nextSaveFileName() = name;
}

QString excelKaydet(QWidget* parent, TcxGridView* view) {
    QString chosen;
    if (nextSaveFileName()) {
        chosen = *nextSaveFileName();
        nextSaveFileName().reset();
    } else {
        chosen = QFileDialog::getSaveFileName(parent, QStringLiteral("Excel Kaydet"), QString(),
                                              QStringLiteral("Excel (*.xls*)"));
    }
    if (chosen.isEmpty())
        return {};
    const QString path = xlsPath(chosen);
    view->beginUpdate();
    try {
        exportGridToExcel(view, path);
    } catch (...) {
        view->endUpdate();
        throw;
    }
    view->endUpdate();
    return path;
}

}  // namespace zerda
