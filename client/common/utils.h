#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace zerda {

class ClientDataSet;

inline const QString kParaBicimi = QStringLiteral("#,###,##0.00");

// Gives every floating-point field of the data set the money display format.
void FormatAyarla(ClientDataSet& dataSet);

// x rounded to two decimals, halves away from zero, from its decimal form (2.675 -> 2.68).
double IkiHaneYuvarla(double x);

// True when the data set is open and has at least one row.
bool KayitVarmi(const ClientDataSet& dataSet);
// True when a row has SEC equal to 1; the cursor stays on the first such row (past the last row
// when there is none).
bool SeciliVarmi(ClientDataSet& dataSet);

// Percent-encodes the path and the query of a complete URL (UTF-8 bytes), leaving the scheme and
// the host as they are.
QString UrlKodla(const QString& url);

// The Chrome (or Chromium) program file, or the empty text when there is none.
QString ChromeYolu();
// The major version of the installed Internet Explorer; 0 where there is none.
int IEVersiyon();
// Whether a file exists: the seam the browser look-ups use, which tests replace.
void setFileExistsCheck(std::function<bool(const QString&)> check);

// The program's working folder ("mercanlik" in the user's roaming settings folder), created when
// missing; no trailing separator.
QString YerelKlasor();
// The user's Documents folder.
QString BelgelerKlasoru();

// Column widths by weight: u = trunc((gridWidth - 30) / sum of weights), each column weight * u.
// Empty when the weights add up to 0 (the columns keep their widths).
QList<int> weightedColumnWidths(const QList<int>& weights, int gridWidth);
// Screens this narrow or narrower fit columns to their content instead.
inline constexpr int kNarrowScreenWidth = 1152;

}  // namespace zerda
