#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zerda {

class TcxGridView;

// Writes the grid's rows, as the grid shows them, into an Excel 97-2003 workbook: the visible
// columns in their order with their captions, numbers with the columns' display formats.
// Raises Error when the file can't be written.
void exportGridToExcel(TcxGridView* view, const QString& path);

// "Excel Kaydet": asks for a file name ("Excel|*.xls*") and writes the grid there with the
// extension ".xls". Cancelling does nothing. Returns the path written, or the empty text.
QString excelKaydet(QWidget* parent, TcxGridView* view);

// The save dialog's next answer, for tests: set, the next dialog shows nothing and answers it
// (the empty text cancels).
void setNextSaveFileName(const QString& name);

}  // namespace zerda
