#include "sepet.h"

#include <QLabel>

#include "calls.h"
#include "counters.h"
#include "proxim.h"
#include "utils.h"

namespace zerda {

void Sepet::SepetGetir() {
    std::unique_ptr<Connection> clone = m_parts.bagc->CloneConnection();
    if (!BaglantiKur(*clone, 1))
        return;
    DataTable lines = TServerMethods1Client(*clone).SepetVer2(m_parts.sbilgi->CARINO());
    clone->Close();
    ClientDataSet& sepet = *m_parts.sepet;
    sepet.setData(std::move(lines));
    FormatAyarla(sepet);
    m_parts.setCaption(sayacBasligi(int(sepet.RecordCount()), QStringLiteral("Sepet")));
    ToplamlariHesapla();
}

void Sepet::ToplamlariHesapla() {
    ClientDataSet& sepet = *m_parts.sepet;
    double t = 0, i = 0, v = 0;
    if (sepet.Active()) {
        sepet.DisableControls();
        const int sec = sepet.FieldIndex(QStringLiteral("SEC"));
        const int tutar = sepet.FieldIndex(QStringLiteral("TUTAR"));
        const int indirim = sepet.FieldIndex(QStringLiteral("INDIRIMTUTAR"));
        const int vergi = sepet.FieldIndex(QStringLiteral("VERGITUTARI"));
        for (sepet.First(); !sepet.Eof(); sepet.Next()) {
            if (sepet.Fields(sec).AsInteger() != 1)
                continue;
            t = IkiHaneYuvarla(t + sepet.Fields(tutar).AsFloat());
            i = IkiHaneYuvarla(i + sepet.Fields(indirim).AsFloat());
            v = IkiHaneYuvarla(v + sepet.Fields(vergi).AsFloat());
        }
        sepet.EnableControls();
    }
    const double n = IkiHaneYuvarla(t - i);
    const double g = IkiHaneYuvarla(n + v);
    const QLocale locale;
    for (const auto& [name, value] : {std::pair{"aratoplaml", t},
                                      {"indiriml", i},
                                      {"nettutarl", n},
                                      {"vergil", v},
                                      {"geneltoplaml", g}})
        if (QLabel* l = m_parts.totals.value(QLatin1String(name)))
            l->setText(formatFloat(kParaBicimi, value, locale));
}

}  // namespace zerda
