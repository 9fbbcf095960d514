#pragma once

#include <freexl.h>

#include <QFile>
#include <QList>
#include <QString>

// A workbook the program wrote, read back with an independent reader.
struct Cell {
    int type = FREEXL_CELL_NULL;
    QString text;
    double number = 0;
};

// The first sheet, row by row.
inline QList<QList<Cell>> readBack(const QString& path) {
    const void* handle = nullptr;
    QList<QList<Cell>> rows;
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK)
        return rows;
    unsigned int rowCount = 0;
    unsigned short columnCount = 0;
    if (freexl_select_active_worksheet(handle, 0) == FREEXL_OK &&
        freexl_worksheet_dimensions(handle, &rowCount, &columnCount) == FREEXL_OK) {
        for (unsigned int r = 0; r < rowCount; ++r) {
            QList<Cell> row;
            for (unsigned short c = 0; c < columnCount; ++c) {
                FreeXL_CellValue value;
                Cell cell;
                if (freexl_get_cell_value(handle, r, c, &value) == FREEXL_OK) {
                    cell.type = value.type;
                    switch (value.type) {
                        case FREEXL_CELL_INT:
                            cell.number = value.value.int_value;
                            break;
                        case FREEXL_CELL_DOUBLE:
                            cell.number = value.value.double_value;
                            break;
                        case FREEXL_CELL_TEXT:
                        case FREEXL_CELL_SST_TEXT:
                        case FREEXL_CELL_DATE:
                        case FREEXL_CELL_DATETIME:
                        case FREEXL_CELL_TIME:
                            cell.text = QString::fromUtf8(value.value.text_value);
                            break;
                        default:
                            break;
                    }
                }
                row << cell;
            }
            rows << row;
        }
    }
    freexl_close(handle);
    return rows;
}
